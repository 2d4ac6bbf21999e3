#include "call_line.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
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
    case au::VarType::String: {
      std::string quoted = "\"";
      for (char c : au::ToUtf8(v.AsString())) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
      return quoted + "\"";
    }
    case au::VarType::Object:
      return v.AsObject() ? "[" + au::ToUtf8(au::ClassOf(*v.AsObject()).name) + "]" : "Nothing";
    default: return au::ToUtf8(au::ToString(v));
  }
}

// One call line, read left to right: VAR, CreateObject("..."), .Member, (args), literals.
class Line {
 public:
  Line(const std::string& text, std::map<std::string, Variant>& vars) : s_(text), vars_(vars) {}

  // Runs the line; returns "" when all is as expected, else what differs.
  // "-> RESULT" ends a line that expects a result or "error N".
  std::string Run(const std::vector<std::string>& rows) {
    std::string expected;
    expects_ = SplitExpected(expected);
    const bool expects = expects_;
    std::string actual;
    try {
      actual = Execute(rows);
    } catch (const au::AutomationError& e) {
      actual = "error " + std::to_string(e.Number());
    }
    if (rowsForm_) return actual;  // the rows' comparison, or the error that stopped it
    if (expects && actual != expected) return "expected " + expected + "\n  actual   " + actual;
    if (!expects && actual.rfind("error ", 0) == 0) return "unexpected " + actual;
    return "";
  }

 private:
  bool SplitExpected(std::string& expected) {
    const auto arrow = s_.rfind("->");
    if (arrow == std::string::npos) return false;
    expected = s_.substr(arrow + 2);
    expected.erase(0, expected.find_first_not_of(' '));
    s_.erase(arrow);
    return true;
  }

  // "set VAR = EXPR", "EXPR.Member = VALUE", "EXPR: Member, ..." or "EXPR".
  std::string Execute(const std::vector<std::string>& rows) {
    if (Word("set ")) {
      const std::string name = Name();
      Expect('=');
      vars_[Lower(name)] = Expression();
      return End();
    }
    Target target = Chain();
    if (Peek('=')) {
      ++p_;
      std::vector<Variant> args{Value()};
      rt::InvokeByName(*target.object.AsObject(), target.member,
                       args[0].IsObject() ? rt::kPropertyPutRef : rt::kPropertyPut, args);
      // A Let that expects a result shows the property read back.
      return End() + (expects_ ? Show(target.Get()) : "");
    }
    if (Peek(':')) {
      ++p_;
      rowsForm_ = true;
      return CompareRows(target.Get(), rows);
    }
    const std::string shown = Show(target.Get());
    return End() + shown;
  }

  std::string End() {
    if (Skip(), p_ < s_.size()) throw std::runtime_error("unexpected text: " + s_.substr(p_));
    return "";
  }

  struct Target {
    Variant object;  // the object the last member belongs to
    std::u16string member;
    std::vector<Variant> args;
    bool step = false;  // a member or default-member call follows the object
    Variant Get() {
      if (!step) return object;
      return rt::InvokeByName(*object.AsObject(), member, rt::kMethod | rt::kPropertyGet, args);
    }
  };

  Target Chain() {
    Target t;
    const std::string first = Name();
    if (Lower(first) == "createobject") {
      Expect('(');
      const Variant progId = Value();
      Expect(')');
      t.object = rt::CreateObject(progId.AsString());
    } else {
      const auto var = vars_.find(Lower(first));
      if (var == vars_.end()) throw std::runtime_error("unknown variable " + first);
      t.object = var->second;
    }
    for (Skip(); p_ < s_.size() && (s_[p_] == '.' || s_[p_] == '(');) {
      if (t.step) t.object = t.Get();
      t.member.clear();
      t.step = true;
      if (s_[p_] == '.') {
        ++p_;
        t.member = au::FromUtf8(Name());
      }
      t.args = Args();
      Skip();
    }
    return t;
  }

  std::vector<Variant> Args() {
    std::vector<Variant> args;
    if (!Peek('(')) return args;
    ++p_;
    if (Peek(')')) return ++p_, args;
    do args.push_back(Value());
    while (Peek(',') && ++p_);
    Expect(')');
    return args;
  }

  Variant Expression() {
    Target t = Chain();
    return t.Get();
  }

  // A literal or an expression, joined to more by "&" as text.
  Variant Value() {
    Variant v = Term();
    while (Peek('&')) {
      ++p_;
      v = au::ToString(v) + au::ToString(Term());
    }
    return v;
  }

  Variant Term() {
    Skip();
    if (Peek('"')) {
      std::string text;
      for (++p_; p_ < s_.size(); ++p_) {
        if (s_[p_] == '"' && (p_ + 1 >= s_.size() || s_[p_ + 1] != '"')) break;
        if (s_[p_] == '"') ++p_;
        text += s_[p_];
      }
      Expect('"');
      return au::FromUtf8(text);
    }
    if (Peek('#')) {
      const auto end = s_.find('#', p_ + 1);
      const std::string text = s_.substr(p_ + 1, end - p_ - 1);
      p_ = end + 1;
      return au::ParseDate(au::FromUtf8(text));
    }
    if (p_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[p_])) || s_[p_] == '-' || s_[p_] == '.')) {
      const std::size_t start = p_++;
      while (p_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[p_])) || s_[p_] == '.' ||
                                (s_[p_] == '-' && std::tolower(static_cast<unsigned char>(s_[p_ - 1])) == 'e')))
        ++p_;
      // Read by the library's own number rules; a whole number takes the
      // smallest of Integer and Long that holds it, as a script literal does.
      const std::string text = s_.substr(start, p_ - start);
      const double number = au::ToDouble(au::FromUtf8(text));
      if (text.find_first_of(".eE") != std::string::npos) return number;
      if (number >= INT16_MIN && number <= INT16_MAX) return static_cast<std::int16_t>(number);
      if (number >= INT32_MIN && number <= INT32_MAX) return static_cast<std::int32_t>(number);
      return number;
    }
    const std::string word = Lower(Name());
    if (word == "true" || word == "false") return word == "true";
    if (word == "nothing") return Variant::Nothing();
    if (word == "empty") return Variant();
    if (word == "missing") return Variant::Missing();
    static const std::map<std::string, std::u16string> kConstants{
        {"vbcrlf", u"\r\n"}, {"vbcr", u"\r"}, {"vblf", u"\n"}, {"vbnullchar", std::u16string(1, u'\0')}};
    if (const auto constant = kConstants.find(word); constant != kConstants.end()) return constant->second;
    // String(n, "c") and ChrW(n) as in a script: long texts, lone surrogates.
    if ((word == "string" || word == "chrw") && Peek('(')) {
      const std::vector<Variant> a = Args();
      const auto n = static_cast<std::size_t>(au::ToLong(a.at(0)));
      return word == "chrw" ? std::u16string(1, static_cast<char16_t>(n)) : std::u16string(n, au::ToString(a.at(1))[0]);
    }
    p_ -= word.size();
    return Expression();
  }

  std::string CompareRows(const Variant& collection, const std::vector<std::string>& expected) {
    std::vector<std::u16string> members;
    do members.push_back(au::FromUtf8(Name()));
    while (Peek(',') && ++p_);
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

  static std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  void Skip() {
    while (p_ < s_.size() && s_[p_] == ' ') ++p_;
  }
  bool Peek(char c) {
    Skip();
    return p_ < s_.size() && s_[p_] == c;
  }
  void Expect(char c) {
    if (!Peek(c)) throw std::runtime_error(std::string("expected '") + c + "' at column " + std::to_string(p_ + 1));
    ++p_;
  }
  bool Word(const std::string& w) {
    Skip();
    if (s_.compare(p_, w.size(), w) != 0) return false;
    p_ += w.size();
    return true;
  }
  std::string Name() {
    Skip();
    const std::size_t start = p_;
    while (p_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[p_])) || s_[p_] == '_')) ++p_;
    if (start == p_) throw std::runtime_error("expected a name at column " + std::to_string(p_ + 1));
    return s_.substr(start, p_ - start);
  }

  std::string s_;
  std::size_t p_ = 0;
  bool rowsForm_ = false, expects_ = false;
  std::map<std::string, Variant>& vars_;
};

}  // namespace

std::string RunCallLine(const std::string& line, const std::vector<std::string>& rows,
                        std::map<std::string, Variant>& variables) {
  return Line(line, variables).Run(rows);
}

}  // namespace vantrel::testing
