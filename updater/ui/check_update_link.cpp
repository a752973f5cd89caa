#include "check_update_link.h"

namespace qv {

namespace {

QString Coloured(const char* text)
{
    return QStringLiteral("<span style=\"color:%1\">%2</span>")
        .arg(QLatin1String(TCheckUpdateLink::kVisitedColour), QLatin1String(text));
}

} // namespace

TCheckUpdateLink::TCheckUpdateLink(Prompter& prompter, const std::string& programVersion,
                                   const UpdateCheckSettings& settings, QWidget* parent)
    : QLabel(parent),
      prompter_(prompter),
      programVersion_(ParseProgramVersion(programVersion).value_or(ProgramVersion{})),
      server_(ParseUpdateServer(settings.server)),
      webAddress_(settings.webAddress)
{
    setObjectName(QStringLiteral("lblCheckUpdate"));
    setTextFormat(Qt::RichText);
    connect(this, &QLabel::linkActivated, this, &TCheckUpdateLink::lblCheckUpdateClick);
    if (server_) {
        ShowLink();
        return;
    }
    setText(QStringLiteral("<span style=\"color:gray\">%1</span>")
                .arg(QLatin1String(settings.server.empty() ? kNoUpdateServerText : kUnusableUpdateServerText)));
    setToolTip(QString::fromLatin1(kUpdateServerHintText));
}

void TCheckUpdateLink::ShowLink()
{
    const char* caption = "Check for updates...";
    setText(QStringLiteral("<a href=\"#\">%1</a>").arg(visited_ ? Coloured(caption) : QString::fromLatin1(caption)));
}

void TCheckUpdateLink::lblCheckUpdateClick()
{
    if (!server_ || checking_)
        return;
    checking_ = true;
    visited_ = true;
    // No link while the check runs: a second click has nothing to hit.
    setText(Coloured("Please wait..."));
    repaint();
    http_->setReadTimeout(readTimeoutMs_);
    http_->CheckVersion(*server_, kVersionCheckSerial, [this](const VersionCheck& check) {
        const VersionCheckMessage message = VersionCheckOutcome(CheckResult(check, programVersion_), webAddress_);
        prompter_.message(message.kind, message.text);
        ShowLink();
        checking_ = false;
    });
}

} // namespace qv
