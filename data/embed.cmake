# Writes OUTPUT: a C++ source holding every file of ITEMS_DIR as a byte
# array, found by its name without the extension. Run with cmake -P.
file(GLOB items LIST_DIRECTORIES false "${ITEMS_DIR}/*")
list(SORT items)
set(arrays "")
set(table "")
set(index 0)
foreach(item IN LISTS items)
  get_filename_component(name "${item}" NAME_WE)
  file(READ "${item}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const uint8_t item${index}[] = {${bytes}0};\n")
  file(SIZE "${item}" size)
  string(APPEND table "    {\"${name}\", item${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from data/items by data/embed.cmake; do not edit.
#include \"data/embedded_data.h\"

namespace qv {

namespace {

${arrays}
struct Item {
    std::string_view name;
    const uint8_t* bytes;
    size_t size;
};

const Item kItems[] = {
${table}    {\"\", nullptr, 0},
};

} // namespace

std::span<const uint8_t> EmbeddedData(std::string_view name)
{
    for (const Item& item : kItems)
        if (item.bytes && item.name == name)
            return {item.bytes, item.size};
    return {};
}

std::vector<std::string> EmbeddedDataNames()
{
    std::vector<std::string> names;
    for (const Item& item : kItems)
        if (item.bytes)
            names.emplace_back(item.name);
    return names;
}

} // namespace qv
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
