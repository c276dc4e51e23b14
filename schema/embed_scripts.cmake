# Writes a C++ source that holds the schema's .sql files as string literals, in the order given.
# Run as: cmake -DSCRIPT_DIR=<dir> -DSCRIPT_NAMES=a.sql,b.sql -DOUTPUT=<file.cc> -P embed_scripts.cmake
# FUNCTION names the function that returns them (SuiteScripts unless given).
if(NOT FUNCTION)
  set(FUNCTION "SuiteScripts")
endif()
string(REPLACE "," ";" names "${SCRIPT_NAMES}")
set(delimiter "cbsql")
set(body "")
foreach(name IN LISTS names)
  file(READ "${SCRIPT_DIR}/${name}" text)
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${name} contains the literal delimiter )${delimiter}\"")
  endif()
  string(APPEND body "    {\"${name}\", R\"${delimiter}(${text})${delimiter}\"},\n")
endforeach()
set(content "// Generated at build time from the schema's .sql files; edit those files instead.
#include \"schema/suite_scripts.h\"

namespace cb::schema {
namespace {

constexpr SuiteScript kScripts[] = {
${body}};

}  // namespace

std::span<const SuiteScript> ${FUNCTION}() { return kScripts; }

}  // namespace cb::schema
")
# Only rewrite when the content changes, so that an unchanged schema does not recompile.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
