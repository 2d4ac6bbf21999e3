#pragma once
// The calls of a case, one line each, made late-bound through the runtime as a
// page makes them: variables, CreateObject, members by name, literals, and the
// expected result after "->" (see README.md).
#include <map>
#include <string>
#include <vector>

#include "automation/variant.hpp"

namespace vantrel::testing {

// Runs one call line with the case's variables; `rows` are the expected items
// of a "EXPR: Member, ..." line. "" when all is as expected, else what differs.
// Throws std::runtime_error on a line it cannot read.
std::string RunCallLine(const std::string& line, const std::vector<std::string>& rows,
                        std::map<std::string, automation::Variant>& variables);

}  // namespace vantrel::testing
