// qv-tool scale: look into scale library files.
#include "commands.h"
#include "file_commands.h"

#include "scale/number_text.h"
#include "scale/render/scale_preview.h"
#include "scale/scale_codes.h"
#include "scale/scale_library.h"
#include "scale/scale_table.h"

#include <QImage>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace qvtool {

namespace {

bool HasShortName(const qv::ScaleRecord& r)
{
    const std::string name = r.shortName.text();
    return std::any_of(name.begin(), name.end(), [](char c) { return uint8_t(c) > ' '; });
}

size_t UsedLines(const qv::ScaleRecord& r)
{
    return size_t(std::count_if(r.lines.begin(), r.lines.end(), [](const auto& l) { return qv::IsUsedKind(l.kind); }));
}

int ScaleInfo(const qv::ScaleLibrary& library)
{
    for (size_t i = 0; i < library.scales.size(); ++i) {
        const qv::ScaleRecord& r = library.scales[i];
        if (!HasShortName(r) && UsedLines(r) == 0)
            continue;
        std::printf("%zu\t%s\t%s\t%s\t%s\t%zu\n", i + 1, r.shortName.text().c_str(),
                    qv::CodeText(qv::kKeyNoTexts, r.keyNo).c_str(), qv::CodeText(qv::kDynamicsTexts, r.dynamics).c_str(),
                    qv::FormatScaleValue(r.referenceDb()).c_str(), UsedLines(r));
    }
    return kExitOk;
}

// The table the editor would make: its reference field shows one decimal.
bool TableOf(qv::ScaleRecord record, qv::ScaleTable& table, std::string& error)
{
    return qv::MakeScale(record, record.analogueFlag == 0, qv::FormatScaleValue(record.referenceDb()), table, error);
}

int Table(const qv::ScaleRecord& record)
{
    qv::ScaleTable table{};
    std::string error;
    if (!TableOf(record, table, error))
        return FileFail(error);
    for (size_t i = 0; i < table.size(); ++i)
        std::printf(i ? " %04X" : "%04X", table[i]);
    std::printf("\n");
    return kExitOk;
}

int Preview(const qv::ScaleRecord& record, size_t number, const std::string& out)
{
    qv::ScaleTable table{};
    std::string error;
    if (!TableOf(record, table, error))
        return FileFail(error);
    QImage image = qv::NewScalePreview();
    qv::PreviewMarkers markers;
    if (!qv::RenderScalePreview(table, image, markers))
        std::fprintf(stderr, "qv-tool: scale %zu has no two different line levels; the preview is blank\n", number);
    QSaveFile file(QString::fromStdString(out));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return FileFail("cannot write " + out + ": " + file.errorString().toStdString());
    return kExitOk;
}

int RunScale(const std::vector<std::string>& words)
{
    const std::string sub = words.size() > 1 ? words[1] : "";
    const bool fits = (sub == "info" && words.size() == 3) || (sub == "table" && words.size() == 4) ||
                      (sub == "preview" && words.size() == 5);
    if (!fits)
        return FileUsage("scale needs info LIB, table LIB N or preview LIB N OUT.png");

    qv::ScaleLibrary library;
    std::string error;
    if (!qv::LoadScaleLibrary(words[2], library, error))
        return FileFail(error);
    if (sub == "info")
        return ScaleInfo(library);

    const auto number = qv::ParseDecimalInteger(words[3]);
    if (!number || *number < 1 || *number > int(qv::kScaleCount))
        return FileFail("the scale number must be 1 to 20, not " + words[3]);
    const qv::ScaleRecord& record = library.scales[size_t(*number - 1)];
    if (sub == "table")
        return Table(record);
    return Preview(record, size_t(*number), words[4]);
}

const FileCommandRegistration kScaleRegistration{
    "scale",
    "scale info LIB                   one tab-separated line per scale in use: number, short\n"
    "                                 name, key, dynamics, reference, number of used lines\n"
    "scale table LIB N                W0 to W127 of scale N (1 to 20) as hex words\n"
    "scale preview LIB N OUT.png      draw the editor's preview of scale N as a PNG",
    RunScale};

} // namespace

} // namespace qvtool
