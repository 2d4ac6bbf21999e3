#include "call_line.hpp"

#include <cctype>
#include <cstdint>
#include <optional>
#include <regex>
#include <stdexcept>

#include "automation/coercion.hpp"
#include "automation/enumerator.hpp"
#include "automation/error.hpp"
#include "automation/member_table.hpp"
#include "automation/runtime/runtime.hpp"
#include "automation/text.hpp"

namespace vantrel::testing {
namespace {

namespace au = automation;
namespace rt = automation::runtime;
using au::Variant;

std::string Show(const Variant& v) {
  switch (v.Type()) {
    case au::VarType::Empty: return "Empty";
    case au::VarType::Missing: return "Missing";
    case au::VarType::Bool: return v.AsBool() ? "True" : "False";
    case au::VarType::Date: return "#" + au::ToUtf8(au::ToString(v)) + "#";
    case au::VarType::String: return "\"" + std::regex_replace(au::ToUtf8(v.AsString()), std::regex("\""), "\"\"") + "\"";
    case au::VarType::Object:
      return v.AsObject() ? "[" + au::ToUtf8(au::ClassOf(*v.AsObject()).name) + "]" : "Nothing";
    default: return au::ToUtf8(au::ToString(v));
  }
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The object a chain of members ends at, and the last member with its
// arguments, called by Get (none: the object itself).
struct Target {
  Variant object;
  std::u16string member;
  std::vector<Variant> args;
  bool step = false;
  Variant Get() { return step ? rt::InvokeByName(*object.AsObject(), member, rt::kMethod | rt::kPropertyGet, args) : object; }
};

// One call line, cut into tokens (quoted texts, #dates#, numbers, names,
// single characters), then read left to right: VAR, CreateObject("..."),
// .Member, (args), literals joined by "&".
class Line {
 public:
  Line(std::string text, std::map<std::string, Variant>& vars) : vars_(vars) {
    // "-> RESULT" ends a line that expects a result or "error N".
    if (const auto arrow = text.rfind("->"); arrow != std::string::npos) {
      expected_ = text.substr(arrow + 2);
      expected_->erase(0, expected_->find_first_not_of(' '));
      text.erase(arrow);
    }
    static const std::regex token(R"re(\s*("(?:[^"]|"")*"|#[^#]*#|-?\.?[0-9](?:[eE]-[0-9]|[0-9A-Za-z.])*|\w+|\S))re");
    for (std::sregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) tokens_.push_back((*it)[1]);
  }

  // Runs the line; returns "" when all is as expected, else what differs.
  std::string Run(const std::vector<std::string>& rows) {
    std::string actual;
    try {
      actual = Execute(rows);
    } catch (const au::AutomationError& e) {
      actual = "error " + std::to_string(e.Number());
    }
    if (rowsForm_) return actual;  // the rows' comparison, or the error that stopped it
    if (expected_ && actual != *expected_) return "expected " + *expected_ + "\n  actual   " + actual;
    if (!expected_ && actual.rfind("error ", 0) == 0) return "unexpected " + actual;
    return "";
  }

 private:
  // "set VAR = EXPR", "EXPR.Member = VALUE", "EXPR: Member, ..." or "EXPR".
  std::string Execute(const std::vector<std::string>& rows) {
    if (Lower(Peek()) == "set") {
      Take();
      const std::string name = Lower(Take());
      Expect("=");
      vars_[name] = Chain().Get();
      return End();
    }
    Target target = Chain();
    if (Accept("=")) {
      std::vector<Variant> args{Value()};
      End();
      rt::InvokeByName(*target.object.AsObject(), target.member,
                       args[0].IsObject() ? rt::kPropertyPutRef : rt::kPropertyPut, args);
      return expected_ ? Show(target.Get()) : "";  // a Let that expects a result shows the property read back
    }
    if (Accept(":")) {
      rowsForm_ = true;
      return CompareRows(target.Get(), rows);
    }
    End();
    return Show(target.Get());
  }

  Target Chain() {
    Target t;
    const std::string first = Take();
    if (Lower(first) == "createobject") {
      Expect("(");
      const Variant progId = Value();
      Expect(")");
      t.object = rt::CreateObject(progId.AsString());
    } else if (const auto var = vars_.find(Lower(first)); var != vars_.end()) {
      t.object = var->second;
    } else {
      throw std::runtime_error("unknown variable " + first);
    }
    while (Peek() == "." || Peek() == "(") {
      if (t.step) t.object = t.Get();
      t.step = true;
      t.member = Accept(".") ? au::FromUtf8(Take()) : u"";
      t.args = Args();
    }
    return t;
  }

  std::vector<Variant> Args() {
    std::vector<Variant> args;
    if (!Accept("(") || Accept(")")) return args;
    do args.push_back(Value());
    while (Accept(","));
    Expect(")");
    return args;
  }

  Variant Value() {
    Variant v = Term();
    while (Accept("&")) v = au::ToString(v) + au::ToString(Term());
    return v;
  }

  Variant Term() {
    const std::string token = Take(), word = Lower(token);
    if (token[0] == '"') return au::FromUtf8(std::regex_replace(token.substr(1, token.size() - 2), std::regex("\"\""), "\""));
    if (token[0] == '#') return au::ParseDate(au::FromUtf8(token.substr(1, token.size() - 2)));
    if (std::string("-.0123456789").find(token[0]) != std::string::npos) {
      // Read by the library's own number rules; a whole number takes the
      // smallest of Integer and Long that holds it, as a script literal does.
      const double number = au::ToDouble(au::FromUtf8(token));
      if (token.find_first_of(".eE") != std::string::npos) return number;
      if (number >= INT16_MIN && number <= INT16_MAX) return static_cast<std::int16_t>(number);
      if (number >= INT32_MIN && number <= INT32_MAX) return static_cast<std::int32_t>(number);
      return number;
    }
    if (word == "true" || word == "false") return word == "true";
    if (word == "nothing") return Variant::Nothing();
    if (word == "empty") return Variant();
    if (word == "missing") return Variant::Missing();
    static const std::map<std::string, std::u16string> kConstants{
        {"vbcrlf", u"\r\n"}, {"vbcr", u"\r"}, {"vblf", u"\n"}, {"vbnullchar", std::u16string(1, u'\0')}};
    if (const auto constant = kConstants.find(word); constant != kConstants.end()) return constant->second;
    // String(n, "c") and ChrW(n) as in a script: long texts, lone surrogates.
    if ((word == "string" || word == "chrw") && Peek() == "(") {
      const std::vector<Variant> a = Args();
      const auto n = static_cast<std::size_t>(au::ToLong(a.at(0)));
      return word == "chrw" ? std::u16string(1, static_cast<char16_t>(n)) : std::u16string(n, au::ToString(a.at(1))[0]);
    }
    --at_;
    return Chain().Get();
  }

  std::string CompareRows(const Variant& collection, const std::vector<std::string>& expected) {
    std::vector<std::u16string> members;
    do members.push_back(au::FromUtf8(Take()));
    while (Accept(","));
    End();
    std::vector<std::string> actual;
    Variant e = rt::InvokeByName(*collection.AsObject(), u"NewEnum", rt::kPropertyGet, {});
    auto* items = static_cast<au::Enumerator*>(e.AsObject().get());
    for (Variant item; items->Next(1, &item) == 1;) {
      std::string row;
      for (const auto& m : members) {
        std::string cell;
        try {
          cell = Show(rt::InvokeByName(*item.AsObject(), m, rt::kPropertyGet, {}));
        } catch (const au::AutomationError& err) {
          cell = "error " + std::to_string(err.Number());
        }
        row += (row.empty() ? "" : ", ") + cell;
      }
      actual.push_back(row);
    }
    if (actual == expected) return "";
    std::string out = "rows differ\n  expected:";
    for (const auto& r : expected) out += "\n    " + r;
    out += "\n  actual:";
    for (const auto& r : actual) out += "\n    " + r;
    return out;
  }

  std::string Peek() const { return at_ < tokens_.size() ? tokens_[at_] : ""; }
  std::string Take() {
    if (at_ == tokens_.size()) throw std::runtime_error("the line ends too soon");
    return tokens_[at_++];
  }
  bool Accept(const std::string& token) { return Peek() == token && ++at_; }
  void Expect(const std::string& token) {
    if (!Accept(token)) throw std::runtime_error("expected " + token + " before \"" + Peek() + "\"");
  }
  std::string End() {
    if (at_ < tokens_.size()) throw std::runtime_error("unexpected text: " + tokens_[at_]);
    return "";
  }

  std::vector<std::string> tokens_;
  std::size_t at_ = 0;
  std::optional<std::string> expected_;
  bool rowsForm_ = false;
  std::map<std::string, Variant>& vars_;
};

}  // namespace

std::string RunCallLine(const std::string& line, const std::vector<std::string>& rows,
                        std::map<std::string, Variant>& variables) {
  return Line(line, variables).Run(rows);
}

}  // namespace vantrel::testing
