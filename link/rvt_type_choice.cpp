#include "rvt_type_choice.h"

#include "identity_tables.h"

namespace qv {

std::string RvtTypeChoice::infoText() const
{
    if (program_ == Program::Matrix)
        return "The RVT is in BIOS-Mode, it therefore is not possible\r to automatically identify the RVT-Type."
               "\r\rPlease select the correct RVT-Type from the dropdownbox below.";
    return "The instrument is in BIOS-Mode, it is therefore not possible\r to automatically identify the "
           "instrument type.\r\rPlease select the correct instrument type from the dropdownbox below.";
}

std::vector<std::string> RvtTypeChoice::entries() const
{
    std::vector<std::string> out;
    for (const auto& e : BiosTypeList(program_))
        out.emplace_back(e.name);
    return out;
}

std::optional<int> RvtTypeChoice::codeAt(int index) const
{
    auto list = BiosTypeList(program_);
    if (index < 0 || size_t(index) >= list.size())
        return std::nullopt;
    return list[size_t(index)].code;
}

std::string RvtTypeChoice::question(int index) const
{
    auto list = BiosTypeList(program_);
    std::string entry;
    if (index >= 0 && size_t(index) < list.size())
        entry = list[size_t(index)].name;
    if (program_ == Program::Matrix)
        return "Are you sure that your RVT is a " + entry + "?";
    return "Are you sure that your instrument is a " + entry + "?";
}

RvtTypeChoice::Outcome RvtTypeChoice::confirm(int index, Prompter& prompter) const
{
    if (!prompter.confirm(question(index)))
        return {};
    return {true, codeAt(index)};
}

} // namespace qv
