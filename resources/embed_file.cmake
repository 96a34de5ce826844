# Writes OUTPUT, a C++ file that defines qingyu::resources::skin_library_bytes() over the bytes
# of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from the built skin engine library; do not edit.\n"
"#include \"resources/resources.h\"\n\n"
"namespace qingyu::resources {\n"
"namespace {\n"
"const unsigned char library[] = {\n${bytes}};\n"
"}  // namespace\n\n"
"std::span<const unsigned char> skin_library_bytes() { return library; }\n\n"
"}  // namespace qingyu::resources\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
