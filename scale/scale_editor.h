#pragma once

#include "platform/host/prompter.h"
#include "scale/scale_library.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

inline constexpr char kScaleFileFilter[] = "Scale files (*.dat)|*.DAT";

// The scale list's entry of scale number 1 to 20: "Scale #" + number +
// " - " + short name; without a record, as the list starts.
std::string ScaleListEntry(size_t number);
std::string ScaleListEntry(size_t number, const ScaleRecord& record);

// The instrument address of the scale slot of a Key No. code (0 to 9);
// none for other codes, which foreign files may hold.
std::optional<uint32_t> ScaleSlotAddress(int keyNo);

// The note as the memo shows it, one line per line of the note, and the
// memo's text as the note stores it (lines separated by CR LF).
std::string NoteAsMemoText(const std::string& note);
std::string MemoTextAsNote(const std::string& memo);

// The library the scale editor works on, the scale shown, the file it
// came from and whether it holds changes not written yet; with the file
// commands, their questions and their messages.
class ScaleEditor {
public:
    ScaleEditor(Prompter& prompter, const ScaleLibrary& start) : prompter_(prompter), library_(start) {}

    ScaleLibrary& library() { return library_; }
    // 1 to 20.
    size_t number() const { return number_; }
    void setNumber(size_t number);
    ScaleRecord& current() { return library_.scales[number_ - 1]; }

    const std::string& fileName() const { return fileName_; }
    bool changed() const { return changed_; }
    void setChanged() { changed_ = true; }

    // The open dialog on the current file, then Load.
    bool Open();
    // A file of the wrong size or one that cannot be read is said and
    // changes nothing: library, current and last file stay as they were.
    bool Load(const std::string& path);
    // Writes the library to the current file, or runs Save As without one.
    bool Save();
    // Asks for a name (its extension becomes ".dat") and whether to replace
    // an existing file. The name becomes current once the library is written
    // there; a cancel or a failed write leaves everything as it was.
    bool SaveAs();
    // "Do you wish to reload the scalefile ..." for a last file that still
    // exists; Yes loads it.
    bool OfferReload(const std::string& lastFile);
    // The question before the window closes with changes: Yes, No or Cancel.
    Answer AskToSave();

private:
    bool WriteTo(const std::string& path);

    Prompter& prompter_;
    ScaleLibrary library_;
    size_t number_ = 1;
    std::string fileName_;
    bool changed_ = false;
};

} // namespace qv
