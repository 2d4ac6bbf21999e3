// Reads the directed cases from a case file (cases/README.md gives the form).
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "compare.hpp"

namespace compare {
namespace {

// A token of a line: a quoted text, "-" for no argument (nullopt), or a bare word.
struct Token {
  std::optional<std::string> text;
  bool bare = false;
};

std::string Unquote(std::istream& in) {
  std::string out;
  for (int c = (in.get(), in.get()); c != '"'; c = in.get()) {
    if (c == EOF) throw std::runtime_error("unterminated text");
    if (c != '\\') {
      out += static_cast<char>(c);
      continue;
    }
    const int e = in.get();
    static const std::map<int, char> kEscapes{{'r', '\r'}, {'n', '\n'}, {'t', '\t'}, {'0', '\0'}, {'\\', '\\'},
                                              {'"', '"'}};
    if (e == 'x') {
      char hex[3] = {static_cast<char>(in.get()), static_cast<char>(in.get()), 0};
      out += static_cast<char>(std::stoi(hex, nullptr, 16));
    } else if (kEscapes.count(e)) {
      out += kEscapes.at(e);
    } else {
      throw std::runtime_error("unknown escape");
    }
  }
  return out;
}

std::vector<Token> Tokens(const std::string& line) {
  std::istringstream in(line);
  std::vector<Token> tokens;
  while ((in >> std::ws).peek() != EOF) {
    if (in.peek() == '"') {
      tokens.push_back({Unquote(in), false});
      continue;
    }
    std::string word;
    in >> word;
    tokens.push_back({word == "-" ? std::nullopt : std::optional<std::string>(word), true});
  }
  return tokens;
}

// The operation a line names: get, getint, getsec, put or putsec, with its arguments.
Op ReadOp(const std::vector<Token>& t) {
  const std::string& verb = *t[0].text;
  const auto arg = [&](std::size_t i) { return t.at(i).text; };
  const auto number = [&](std::size_t i, long otherwise) { return i < t.size() ? std::stol(*t[i].text) : otherwise; };
  if (verb == "get") return Get(arg(1), arg(2), t.size() > 3 ? arg(3) : "dflt", static_cast<std::uint32_t>(number(4, 256)));
  if (verb == "getint") return GetInt(arg(1), arg(2), static_cast<std::int32_t>(number(3, -7)));
  if (verb == "getsec") return GetSec(arg(1), static_cast<std::uint32_t>(number(2, 512)));
  if (verb == "put") return Put(arg(1), arg(2), arg(3));
  if (verb == "putsec") return PutSec(arg(1), arg(2));
  throw std::runtime_error("unknown operation " + verb);
}

}  // namespace

std::vector<Case> ReadCaseFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<Case> cases;
  std::map<std::string, std::string> named;  // "define NAME": a file text several cases start from
  std::string* text = nullptr;               // the text that quoted continuation lines extend
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    try {
      const auto first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos || line[first] == '#') continue;
      const auto t = Tokens(line);
      const std::string verb = t[0].bare ? *t[0].text : "";
      if (!t[0].bare) {  // a continuation line
        if (!text) throw std::runtime_error("text outside a file");
        for (const Token& part : t) *text += *part.text;
      } else if (verb == "===") {
        cases.push_back(Make(line.substr(4), std::nullopt, {}));
        text = nullptr;
      } else if (verb == "define") {
        text = &(named[*t.at(1).text] = "");
      } else if (verb == "file") {  // file TEXT | file (texts on the lines below) | file @NAME | absent | folder
        Case& c = cases.back();
        const std::string what = t.size() > 1 && t[1].bare ? *t[1].text : "";
        c.path_is_folder = what == "folder";
        if (what.empty()) c.content = t.size() > 1 ? *t[1].text : "";
        else if (what[0] == '@') c.content = named.at(what.substr(1));
        text = c.content && what.empty() ? &*c.content : nullptr;
      } else if (verb == "known") {  // a documented difference of the operation above
        Op& op = cases.back().ops.back();
        op = Known(op, *t.at(1).text, t.size() > 2 ? t[2].text : std::nullopt);
        text = nullptr;
      } else if (verb == "windows_file") {  // the engine's file after the operation above
        Op& op = cases.back().ops.back();
        op.windows_file = *t.at(1).text;
        text = &*op.windows_file;
      } else {
        cases.back().ops.push_back(ReadOp(t));
        text = nullptr;
      }
    } catch (const std::exception& e) {
      throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
    }
  }
  return cases;
}

}  // namespace compare

namespace compare {

// Lists longer than the buffer sizes the functions special-case (4095, 4096),
// and a value longer than 255 bytes.
Case LongListsCase() {
  std::string many = "[big]\r\n";
  for (int i = 0; i < 600; ++i) many += "key" + std::to_string(1000 + i) + "=" + std::to_string(i) + "\r\n";
  many += "[long]\r\nv=" + std::string(300, 'x') + "\r\n";
  return Make("long lists", many,
              {Get("big", std::nullopt, "", 4095), Get("big", std::nullopt, "", 4096), Get("big", std::nullopt, "", 5000),
               Get(std::nullopt, std::nullopt, "", 4095), Get("long", "v", "", 255), Get("long", "v", "", 300),
               Get("long", "v", "", 302)});
}

}  // namespace compare
