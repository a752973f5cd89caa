#include "installed_modules.h"

#include "link/identity_tables.h"

namespace qv {

InstalledModules InstalledModulesOf(const DotIdentity& identity)
{
    InstalledModules modules;
    modules.inputCaption =
        "Available number of input channels: " + std::to_string(identity.value(DotIdentity::kInputChannels));
    modules.outputCaption =
        "Available number of output channels: " + std::to_string(identity.value(DotIdentity::kOutputChannels));
    for (int k = 0; k < InstalledModules::kSlots; ++k) {
        const std::string slot = "#" + std::to_string(k + 1) + ": ";
        const int input = int(identity.value(DotIdentity::kFirstInputModule + k));
        const int output = int(identity.value(DotIdentity::kFirstOutputModule + k));
        modules.inputs[size_t(k)] = slot + ModuleText(input, SlotKind::Input, Program::Matrix);
        modules.outputs[size_t(k)] = slot + ModuleText(output, SlotKind::Output, Program::Matrix);
    }
    return modules;
}

} // namespace qv
