#pragma once

namespace qv {

// The maker's web site behind the toolbar link and the About box; a
// placeholder until the real address is configured.
inline constexpr char kWebSiteUrl[] = "https://example.com/qv-matrix";

} // namespace qv
