#pragma once

namespace qv {

// The two programs whose link variants and tables differ.
enum class Program { Matrix, Update };

} // namespace qv
