#pragma once

#include "update_identity.h"
#include "update_link.h"

namespace qv {

// QV-Update's identification of the instrument behind the port.
class UpdateInstrumentInfo {
public:
    static constexpr int kAttempts = 3;
    static constexpr int kAttemptPauseMs = 100;

    UpdateInstrumentInfo(UpdateLink& link, UpdateIdentity& identity) : link_(link), identity_(identity) {}

    // Reads revision, serial number, text information and version when read
    // is set; otherwise only derives the type from the stored serial number.
    void ReadInstrumentInfo(bool read);

    // After a restart: is the instrument back, and running its software?
    // Sets connected and BIOS mode; true when the identity word was read.
    bool CheckedWordRead();

    // The version marker search; 256 when nothing is found.
    void SearchSoftwareVersion();

private:
    bool Retry(const auto& operation);
    void ApplyType();
    void SetUnidentified(bool connected, bool biosMode, int type);

    UpdateLink& link_;
    UpdateIdentity& identity_;
};

} // namespace qv
