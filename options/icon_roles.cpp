#include "icon_roles.h"

namespace qv {

int IconOf(const GridSettings& s, IconRole role)
{
    switch (role) {
    case IconRole::OffLine: return s.xpointFromFile;
    case IconRole::IllegalGreyed: return s.illegalXpointGreyed;
    case IconRole::Illegal: return s.illegalXpointHighlight;
    case IconRole::Local: return s.localXpoint;
    case IconRole::Remote: return s.remoteXpoint;
    case IconRole::Locked: return s.lockedXpoint;
    }
    return 0;
}

void SetIcon(GridSettings& s, IconRole role, int icon)
{
    switch (role) {
    case IconRole::OffLine: s.xpointFromFile = icon; break;
    case IconRole::IllegalGreyed: s.illegalXpointGreyed = icon; break;
    case IconRole::Illegal: s.illegalXpointHighlight = icon; break;
    case IconRole::Local: s.localXpoint = icon; break;
    case IconRole::Remote: s.remoteXpoint = icon; break;
    case IconRole::Locked: s.lockedXpoint = icon; break;
    }
}

int LowestIcon(IconRole role)
{
    return role == IconRole::IllegalGreyed ? 1 : 2;
}

int HighestIcon()
{
    return kCrosspointIconCount - 1;
}

std::optional<std::string> IconConflict(const GridSettings& s)
{
    const auto shares = [&](IconRole with, std::initializer_list<IconRole> others) {
        for (IconRole role : others)
            if (IconOf(s, role) == IconOf(s, with))
                return true;
        return false;
    };
    if (shares(IconRole::IllegalGreyed,
               {IconRole::OffLine, IconRole::Illegal, IconRole::Local, IconRole::Remote, IconRole::Locked}))
        return "One or more icons are set to the same icon as the icon \"Illegal X-Point grayed\", this is not allowed.";
    if (shares(IconRole::Locked,
               {IconRole::OffLine, IconRole::Illegal, IconRole::Local, IconRole::Remote, IconRole::IllegalGreyed}))
        return "One or more icons are set to the same icon as the icon \"Locked X-Point\", this is not allowed.";
    return std::nullopt;
}

} // namespace qv
