#pragma once

#include "scale/preview_geometry.h"
#include "scale/scale_record.h"
#include "scale/scale_table.h"

#include <QImage>

#include <string>
#include <string_view>

namespace qv {

// A blank preview: the panel's size, black.
QImage NewScalePreview();

// Draws the preview of table into image (kPreviewWidth × kPreviewHeight)
// and remembers its marker positions in markers. When W5 equals W6 nothing
// is drawn: image and markers keep the previous picture, and false is
// returned.
bool RenderScalePreview(const ScaleTable& table, QImage& image, PreviewMarkers& markers);

enum class DrawScaleResult { Drawn, NotRedrawn, Failed };

// MakeScale, then the preview of the new table. Failed when MakeScale
// refuses the record (error holds its message); the picture is kept then.
DrawScaleResult DrawScale(ScaleRecord& record, bool digital, std::string_view referenceText, QImage& image,
                          PreviewMarkers& markers, ScaleTable& table, std::string& error);

} // namespace qv
