#pragma once

#include <QString>

#include <string>

namespace qv {

// What the shell knows of the connected instrument for its questions.
struct InstrumentSummary {
    bool connected = false;
    bool biosMode = false;
    std::string typeName;
    std::string serial;
};

inline constexpr char kNoRvtConnectedText[] = "No RVT connected.";
inline constexpr char kInstallNotAvailableText[] = "Installing software from QV-Matrix is not available yet.";
inline constexpr char kStartedNormallyText[] = "\r\rQV-Matrix will be started normally.";
inline constexpr char kAssociationQuestionText[] =
    "One or more filetypes is not associated with this version of QV-Matrix, do you wish to correct this?";

inline std::string InstallQuestionText(const InstrumentSummary& instrument, const std::string& port)
{
    if (instrument.biosMode)
        return "Do you wish to install new software on the RVT connected on " + port + "?";
    return "Do you wish to install new software on the " + instrument.typeName + " with the serial number " +
           instrument.serial + " connected on " + port + "?";
}

inline std::string NoRvtDetectedText(const std::string& port)
{
    return "No RVT is detected on " + port + kStartedNormallyText;
}

inline QString CommandLineFileText(const QString& path)
{
    return "File executed from command-line. (" + path + ")";
}

inline QString ExplorerFileText(const QString& path)
{
    return "File executed from file explorer. (" + path + ")";
}

} // namespace qv
