#include "label_text.h"

#include <algorithm>

namespace qv {

bool IsLegalTextCharacter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x20 && u <= 0x7E && u != 0x27;
}

bool IsLegalText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsLegalTextCharacter);
}

bool CheckText(std::string_view text, Prompter& prompter)
{
    if (IsLegalText(text))
        return true;
    prompter.error(kIllegalTextMessage);
    return false;
}

std::string FitText(std::string_view text, size_t length)
{
    std::string fitted(text.substr(0, std::min(text.size(), length)));
    fitted.resize(length, ' ');
    return fitted;
}

} // namespace qv
