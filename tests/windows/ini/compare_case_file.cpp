// Reads the directed cases of a case file (cases/README.md gives the form).
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "compare.hpp"

namespace compare {
namespace {

// A token of a line: a quoted text, or a bare word ("-" is no text at all).
struct Token {
  std::optional<std::string> text;
  bool bare = false;
};

char Escape(std::istream& in) {
  static const char kFrom[] = "rnt0\\\"", kTo[] = "\r\n\t\0\\\"";
  const int e = in.get();
  if (e == 'x') {
    const char hex[3] = {static_cast<char>(in.get()), static_cast<char>(in.get()), 0};
    return static_cast<char>(std::stoi(hex, nullptr, 16));
  }
  const char* at = e > 0 ? std::strchr(kFrom, e) : nullptr;
  if (!at) throw std::runtime_error("unknown escape");
  return kTo[at - kFrom];
}

// The tokens up to the end of the line or a '#' word.
std::vector<Token> Tokens(const std::string& line) {
  std::istringstream in(line);
  std::vector<Token> tokens;
  for (std::string word; (in >> std::ws).peek() != EOF;) {
    if (in.peek() != '"') {
      if (!(in >> word) || word[0] == '#') break;
      tokens.push_back({word == "-" ? std::nullopt : std::optional<std::string>(word), true});
      continue;
    }
    std::string text;
    in.get();
    for (int c; (c = in.get()) != '"';) {
      if (c == EOF) throw std::runtime_error("unterminated text");
      text += c == '\\' ? Escape(in) : static_cast<char>(c);
    }
    tokens.push_back({text, false});
  }
  return tokens;
}

// An operation line: get, getint, getsec, put or putsec and its arguments.
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

CaseFile ReadCaseFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  CaseFile file;
  std::vector<Case>& cases = file.cases;
  std::map<std::string, std::string> defined;  // "define NAME": a file several cases start from
  std::string* text = nullptr;                 // the text that quoted lines below a keyword extend
  std::vector<std::string>* words = nullptr;   // or the word list they add to
  int number = 0;
  for (std::string line; std::getline(in, line);) try {
      ++number;
      const auto t = Tokens(line);
      if (t.empty()) continue;
      const std::string verb = t[0].bare ? *t[0].text : "";
      if (verb.empty()) {
        if (!text && !words) throw std::runtime_error("a text outside a file");
        for (const Token& part : t) {
          if (words) words->push_back(*part.text);
          else *text += *part.text;
        }
        continue;
      }
      text = nullptr;
      words = nullptr;
      if (verb == "words") {  // words NAME TEXT...: a word list of the random sequences
        words = &file.words[*t.at(1).text];
        for (std::size_t i = 2; i < t.size(); ++i) words->push_back(*t[i].text);
        continue;
      }
      if (cases.empty() && verb != "===" && verb != "define") throw std::runtime_error(verb + " outside a case");
      if (verb == "===") {
        cases.push_back(Make(line.substr(4), std::nullopt, {}));
      } else if (verb == "define") {
        text = &defined[*t.at(1).text];
      } else if (verb == "file") {  // a text (or quoted lines below), @NAME, absent or folder
        Case& c = cases.back();
        const std::string word = t.size() > 1 && t[1].bare ? *t[1].text : "";
        c.path_is_folder = word == "folder";
        if (word.empty()) text = &*(c.content = t.size() > 1 ? *t[1].text : "");
        else if (word[0] == '@') c.content = defined.at(word.substr(1));
      } else if (verb == "known") {
        Op& op = cases.back().ops.back();
        op = Known(op, *t.at(1).text, t.size() > 2 ? t[2].text : std::nullopt);
      } else if (verb == "windows_file") {
        text = &*(cases.back().ops.back().windows_file = *t.at(1).text);
      } else {
        cases.back().ops.push_back(ReadOp(t));
      }
    } catch (const std::exception& e) {
      throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
    }
  return file;
}

}  // namespace compare
