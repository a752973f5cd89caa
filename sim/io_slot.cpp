#include "io_slot.h"

namespace qv::sim {

namespace {

constexpr size_t kFirmwareQueryLength = 4;

} // namespace

void SlotModule::receive(const SlotModuleOptions& options, uint8_t byte, std::vector<uint8_t>& out)
{
    if (options.moduleId == 0)
        return;
    if (!firmwareQuery_.empty()) {
        firmwareQuery_.push_back(byte);
        if (firmwareQuery_.size() == kFirmwareQueryLength) {
            // The query comes back with the version after it.
            out.insert(out.end(), firmwareQuery_.begin(), firmwareQuery_.end());
            out.push_back(options.firmwareVersion);
            firmwareQuery_.clear();
        }
        return;
    }
    switch (byte) {
    case 'c':
        out.insert(out.end(), {byte, options.moduleId});
        break;
    case 'e':
        out.insert(out.end(), {byte, options.softwareVersion});
        break;
    case 'j':
        out.insert(out.end(), {byte, options.temperature});
        break;
    case 'g':
        firmwareQuery_.push_back(byte);
        break;
    default:
        break;
    }
}

} // namespace qv::sim
