// Directed cases, one group per behaviour of the profile functions.
#include "compare.hpp"

namespace compare {
namespace {

using namespace std::string_literals;

const std::string kBase =
    "; leading comment\r\n"
    "orphan=before first header\r\n"
    "[Alpha]\r\n"
    "k1=v1\r\n"
    "  k2  =  spaced value  \r\n"
    "K3=\"quoted\"\r\n"
    "k4='single'\r\n"
    "empty=\r\n"
    "a=b=c\r\n"
    "#hash=hashed\r\n"
    "bare line\r\n"
    "n1=42\r\n"
    "n2=0x10\r\n"
    "n3=-12abc\r\n"
    "\r\n"
    "  [ Beta ]  trailing text\r\n"
    "x=1\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "[alpha]\r\n"
    "hidden=in second alpha\r\n"
    "[Gamma]\r\n";

}  // namespace

std::vector<Case> RuleCases() {
  std::vector<Case> cases;
  cases.push_back(Make("finding", kBase,
                       {Get("alpha", "K1"), Get("ALPHA", "k2"), Get(" Alpha ", " k1 "), Get("Beta", "x"),
                        Get("beta", "DUP"), Get("Alpha", "hidden"), Get("alpha", "#hash"), Get("Alpha", "a"),
                        Get("Alpha", "a=b"), Get("Alpha", "bare line"), Get("", "orphan"), Get("Gamma", "x"),
                        Get("Missing", "k1"), Get("Alpha", "missing"),
                        Known(Get("Alpha", "\tk1"), "tabs around a requested key are not stripped", "dflt"),
                        Known(Get("", "; leading comment"), "a requested key starting with ';' is not found",
                              "dflt")}));
  cases.push_back(Make("values and quotes", kBase,
                       {Get("Alpha", "K3"), Get("Alpha", "k4"), Get("Alpha", "empty"), Get("Alpha", "missing", "   "),
                        Get("Alpha", "missing", "d  "), Get("Alpha", "missing", "\"q\""),
                        Get("Alpha", "missing", std::nullopt), Get("Alpha", "missing", "\td\t")}));
  cases.push_back(Make("quote forms",
                       "[q]\r\na=\"hello\"\r\nb='hello'\r\nc=\" hello \"\r\nd=\"\"\r\ne=\"'x'\"\r\nf=\"\"x\"\"\r\n"
                       "g=\"hello'\r\nh=\"hello\r\ni=hello\"\r\nj=\"\r\nk=he\"ll\"o\r\nl=\"a\" b\r\n",
                       {Get("q", "a"), Get("q", "b"), Get("q", "c"), Get("q", "d"), Get("q", "e"), Get("q", "f"),
                        Get("q", "g"), Get("q", "h"), Get("q", "i"), Get("q", "j"), Get("q", "k"), Get("q", "l"),
                        GetSec("q")}));
  cases.push_back(Make("lists", kBase,
                       {Get(std::nullopt, "any"), Get("Alpha", std::nullopt), Get("beta", std::nullopt),
                        Get("", std::nullopt), Get("Gamma", std::nullopt, "def  "),
                        Get("Nope", std::nullopt, "def  "), GetSec("Alpha"), GetSec("Beta"), GetSec(""),
                        GetSec("Nope")}));
  std::vector<Op> sizes;
  for (std::uint32_t n : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 10u, 20u, 33u, 34u, 35u, 36u}) {
    sizes.push_back(Get("Alpha", "k2", "dflt", n));
    sizes.push_back(Get("Alpha", "missing", "default text", n));
    sizes.push_back(Get("Alpha", std::nullopt, "dflt", n));
    sizes.push_back(Get(std::nullopt, std::nullopt, "", n));
    if (n >= 2) sizes.push_back(GetSec("Beta", n));
  }
  cases.push_back(Make("sizes", kBase, sizes));
  std::string many = "[big]\r\n";
  for (int i = 0; i < 600; ++i) many += "key" + std::to_string(1000 + i) + "=" + std::to_string(i) + "\r\n";
  many += "[long]\r\nv=" + std::string(300, 'x') + "\r\n";
  cases.push_back(Make("long lists", many,
                       {Get("big", std::nullopt, "", 4095), Get("big", std::nullopt, "", 4096),
                        Get("big", std::nullopt, "", 5000), Get(std::nullopt, std::nullopt, "", 4095),
                        Get("long", "v", "", 255), Get("long", "v", "", 300), Get("long", "v", "", 302)}));
  cases.push_back(Make("getint",
                       "[n]\r\na=42\r\nb=0x10\r\nc=-0x10\r\nd=010\r\ne=12abc\r\nf=3.9\r\ng= 12 \r\nh=abc\r\ni=-\r\n"
                       "j=99999999999\r\nk=4294967296\r\nl=2147483648\r\nm=\"42\"\r\no=\r\np=- 5\r\nq=+7\r\n"
                       "r=" + std::string(28, '0') + "17\r\n",
                       {GetInt("n", "a"), GetInt("n", "b"), GetInt("n", "c"), GetInt("n", "d"), GetInt("n", "e"),
                        GetInt("n", "f"), GetInt("n", "g"), GetInt("n", "h"), GetInt("n", "i"), GetInt("n", "j"),
                        GetInt("n", "k"), GetInt("n", "l"), GetInt("n", "m"), GetInt("n", "o"), GetInt("n", "p"),
                        GetInt("n", "q"), GetInt("n", "r"), GetInt("n", "missing"), GetInt("missing", "a"),
                        GetInt(std::nullopt, "a"), GetInt("n", std::nullopt)}));
  cases.push_back(Make("line ends", "[a]\nx=1\n[b]\ry=2\r[c]\r\r\nz=3\r\nw=4",
                       {Get("a", "x"), Get("b", "y"), Get("c", "z"), Get("c", "w"), Get(std::nullopt, std::nullopt),
                        Put("a", "x", "1"), Put("c", "w", "5"), Get("c", "w")}));
  cases.push_back(Make("writing placement", kBase,
                       {Put("Alpha", "k1", "new"), Put("ALPHA", "newkey", "nv"), Put("Beta", "x", "1"),
                        Put("beta", "x", "2"), Put("Gamma", "g", "first"), Put("Delta", "d", "v"),
                        Put("", "orphan2", "o"), Put("Alpha", "empty", ""), Put("Alpha", "K3", "\"quoted\""),
                        Put("Alpha", "K3", "quoted"), Put("Alpha", "sp", "inner  blanks"),
                        Put("Alpha", "special", ";|=[]#"), Get("Alpha", "special"), Get(std::nullopt, std::nullopt)}));
  cases.push_back(Make("new file", std::nullopt,
                       {Get("s", "k"), Put("s", "k", "v"), Put("s", "e", ""), Put("t", "k", "v"), Get("s", "k")}));
  cases.push_back(Make("new file by section write", std::nullopt, {PutSec("s", "a=1\0b=2"s)}));
  cases.push_back(Make("deletes on a missing file", std::nullopt,
                       {Put("s", "k", std::nullopt), Put("s", std::nullopt, "x"), PutSec("s", std::nullopt),
                        PutSec("s", "")}));
  cases.push_back(Make("deleting", kBase,
                       {Put("Alpha", "K1", std::nullopt), Put("Alpha", "k1", std::nullopt),
                        Put("Beta", "dup", std::nullopt), Get("Beta", "dup"), Put("Missing", "k", std::nullopt),
                        Put("Gamma", std::nullopt, "ignored"), Put("alpha", std::nullopt, std::nullopt),
                        Get("alpha", "hidden"), PutSec("beta", std::nullopt), Get(std::nullopt, std::nullopt)}));
  cases.push_back(Make("section bodies", kBase,
                       {PutSec("Beta", "x=9\0new = value  \0  sp  =  v  \0noequals\0[inner]\0;c=d\0x=dup"s),
                        GetSec("Beta"), PutSec("Gamma", ""), PutSec("Epsilon", ""), PutSec("Epsilon", "e=1"),
                        PutSec("alpha", "only=1"), Get("Alpha", std::nullopt), Get(std::nullopt, std::nullopt)}));
  cases.push_back(Make("null arguments", kBase,
                       {Put(std::nullopt, "k", "v"), Put(std::nullopt, "k", std::nullopt),
                        Put(std::nullopt, std::nullopt, std::nullopt), GetSec(std::nullopt)}));
  cases.push_back(Make("high bytes", "[\xC9t\xE9]\r\n\xE9=\xFF\xFE\r\n",
                       {Get("\xC9t\xE9", "\xE9"), Get("\xE9t\xE9", "\xE9"), Get("\xC9T\xC9", "\xE9"),
                        Put("\xC9t\xE9", "\xE9", "\x80\xA0\xFF"), Get("\xC9t\xE9", "\xE9")}));
  cases.push_back(Make("blank-only and empty files", " \r\n\t\r\n",
                       {Get(std::nullopt, std::nullopt), Get("s", std::nullopt), GetSec("s"),
                        Put("s", "k", std::nullopt), Put("s", "k", "v")}));
  cases.push_back(Make("empty key names", "[e]\r\n=v\r\n = w\r\nk=1\r\n",
                       {Get("e", ""), Get("e", std::nullopt, "d"), GetSec("e"), Put("e", "", "z"), Get("e", "")}));
  cases.push_back(Make("nul byte", std::string("[n]\r\na=ab\0cd\r\nb=2\r\n", 18), {Get("n", "a"), Get("n", "b")}));
  cases.push_back(Make("utf-16 files", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22),
                       {Get("s", "k"), Put("s", "k", "w"), Put("s", "n", "x"), Get("s", "n")}));
  // Documented differences: the engine follows Windows.
  cases.push_back(Make("section name with ']' inside", "[a]b]\r\nk=1\r\n",
                       {Known(Get(std::nullopt, std::nullopt), "the name stops at the first ']'", "a")}));
  cases.push_back(Make("'[' line with no ']'", "[s]\r\n[open\r\nk=1\r\n",
                       {Known(Get("s", "k"), "a '[' line is a header even without ']'", "dflt"),
                        Known(Get("open", "k"), "a '[' line is a header even without ']'", "1")}));
  Case utf8 = Make("utf-8 byte order mark", "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9\r\n",
                   {Known(Get("s", "k"), "a UTF-8 byte order mark is not recognised", "dflt"),
                    Known(Get("\xEF\xBB\xBF[s]", "k"), "a UTF-8 byte order mark is not recognised", "dflt")});
  cases.push_back(utf8);
  Op padded = Known(Put("p", "k", "  padded  "), "written values keep their blanks", "1");
  padded.windows_file = "[p]\r\nk=  padded  \r\n";
  cases.push_back(Make("written value with blanks", "[p]\r\n", {padded, Get("p", "k")}));
  Op comments = Known(Put("c", std::nullopt, "x"), "a deleted section's comment lines stay", "1");
  comments.windows_file = "[b]\r\n;in c\r\n[d]\r\n";
  cases.push_back(Make("deleting a section keeps its comments", "[b]\r\n[c]\r\n;in c\r\nk=1\r\n[d]\r\n", {comments}));
  // Deliberate: line breaks in written text are refused instead of written raw.
  cases.push_back(Make("line breaks refused", "[s]\r\nk=1\r\n",
                       {Known(Put("s", "k", "a\r\nb=injected"), "line breaks in values are refused", "0"),
                        Known(Put("s", "x\ny", "v"), "line breaks in key names are refused", "0"),
                        Known(Put("s\r\n[t]", "k", "v"), "line breaks in section names are refused", "0"),
                        Get("s", std::nullopt)}));
  Case folder = Make("path is a folder", std::nullopt,
                     {Get("s", "k"), Get(std::nullopt, std::nullopt), GetInt("s", "k", 5), Put("s", "k", "v"),
                      Put("s", "k", std::nullopt), PutSec("s", "a=1")});
  folder.path_is_folder = true;
  cases.push_back(folder);
  return cases;
}

}  // namespace compare
