// vantrel call PROGID [NAME=VALUE ...] [OPERATION [ARG ...]]
//
// The generic late-bound form: create the object, Let its properties (the
// values are text, coerced to each property's type as a page's form values
// would be), call one operation with text arguments, then show the result,
// ErrorMsg, the object's properties and its collections. Exit 0 when the
// operation returned True or there was none, 1 when it returned False, 2 on an
// automation error (number and description on stderr).
#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "automation/coercion.hpp"
#include "automation/enumerator.hpp"
#include "automation/runtime/runtime.hpp"
#include "automation/text.hpp"
#include "commands.hpp"
#include "model/names.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
namespace rt = vantrel::automation::runtime;
using au::Variant;
using nlohmann::json;

struct CallRequest {
  std::string progId;
  std::vector<std::string> words;  // NAME=VALUE ... then OPERATION ARG ...
};

bool HasMember(const au::ClassInfo& info, std::u16string_view name) { return au::FindMember(info, name).has_value(); }

// Readable members without parameters, in slot order, with their kinds.
std::vector<const au::MemberInfo*> Properties(const au::ClassInfo& info) {
  std::vector<const au::MemberInfo*> out;
  for (const au::MemberInfo& m : info.members) {
    if (m.hidden || !m.params.empty() || m.kind == au::MemberKind::Operation) continue;
    out.push_back(&m);
  }
  return out;
}

std::string Text(const Variant& v) {
  if (v.IsObject()) return v.AsObject() ? "(" + au::ToUtf8(au::ClassOf(*v.AsObject()).name) + ")" : "Nothing";
  return au::ToUtf8(au::ToString(v));
}

json Json(const Variant& v) {
  switch (v.Type()) {
    case au::VarType::I2: return v.AsI2();
    case au::VarType::I4: return v.AsI4();
    case au::VarType::R8: return v.AsR8();
    case au::VarType::Bool: return v.AsBool();
    case au::VarType::String: return au::ToUtf8(v.AsString());
    case au::VarType::Date: {
      const au::DateParts p = au::SplitDate(v.AsDate());
      char buf[32];
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                    p.second);
      return buf;
    }
    case au::VarType::Object: return v.AsObject() ? json(au::ToUtf8(au::ClassOf(*v.AsObject()).name)) : json();
    default: return nullptr;
  }
}

// A property's value, or the error reading it raised (shown in its place).
Variant Read(au::Object& object, const au::MemberInfo& m, std::string& error) {
  try {
    return rt::InvokeByName(object, m.name, rt::kPropertyGet, {});
  } catch (const au::AutomationError& e) {
    error = "error " + std::to_string(e.Number()) + ": " + au::ToUtf8(e.Description());
    return Variant();
  }
}

// The records of a collection object, in position order.
std::vector<au::Ref<au::Object>> Items(au::Object& collection) {
  std::vector<au::Ref<au::Object>> out;
  Variant e = rt::InvokeByName(collection, m::AnyClass::NewEnum, rt::kPropertyGet, {});
  auto* enumerator = static_cast<au::Enumerator*>(e.AsObject().get());
  Variant item;
  while (enumerator->Next(1, &item) == 1) out.push_back(item.AsObject());
  return out;
}

bool IsCollection(const au::Object& object) { return HasMember(au::ClassOf(object), m::AnyClass::NewEnum); }

struct Table {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;

  void Print(std::ostream& out, const std::string& indent) const {
    std::vector<std::size_t> width(header.size());
    for (std::size_t c = 0; c < header.size(); ++c) width[c] = header[c].size();
    for (const auto& row : rows)
      for (std::size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
    auto line = [&](const std::vector<std::string>& cells) {
      std::string text = indent;
      for (std::size_t c = 0; c < cells.size(); ++c) {
        text += cells[c];
        if (c + 1 < cells.size()) text += std::string(width[c] - cells[c].size() + 2, ' ');
      }
      out << text << '\n';
    };
    line(header);
    for (const auto& row : rows) line(row);
  }
};

// Passwords and their digests are shown only when asked for by name (as the
// operation or a Get), never in a description.
constexpr char kHidden[] = "(hidden)";
bool IsSecret(const au::MemberInfo& m) {
  return au::ToUtf8(m.name) == "Password" || au::ToUtf8(m.name) == "AdminPassword";
}

// The records of a collection as a table (people) and as JSON (scripts).
void DescribeItems(au::Object& collection, Table& table, json& list) {
  list = json::array();
  const auto items = Items(collection);
  bool first = true;
  for (const auto& record : items) {
    const auto props = Properties(au::ClassOf(*record));
    if (first) {
      table.header = {"#"};
      for (const auto* m : props) table.header.push_back(au::ToUtf8(m->name));
      first = false;
    }
    std::vector<std::string> row{std::to_string(table.rows.size() + 1)};
    json entry = json::object();
    for (const auto* m : props) {
      std::string error;
      const Variant v = Read(*record, *m, error);
      if (IsSecret(*m)) {
        row.push_back(kHidden);
        entry[au::ToUtf8(m->name)] = kHidden;
        continue;
      }
      row.push_back(error.empty() ? Text(v) : error);
      entry[au::ToUtf8(m->name)] = error.empty() ? Json(v) : json(error);
    }
    table.rows.push_back(std::move(row));
    list.push_back(std::move(entry));
  }
}

// Properties and collections of an object, printed or added to `out`.
void Describe(au::Object& object, bool asJson, json& out, std::ostream& text, const std::string& title) {
  const au::ClassInfo& info = au::ClassOf(object);
  Table props{{"Property", "Value"}, {}};
  json properties = json::object();
  json collections = json::object();
  std::vector<std::pair<std::string, Table>> tables;
  for (const au::MemberInfo* m : Properties(info)) {
    std::string error;
    Variant v = Read(object, *m, error);
    const std::string name = au::ToUtf8(m->name);
    if (error.empty() && v.IsObject() && v.AsObject() && IsCollection(*v.AsObject())) {
      Table t;
      DescribeItems(*v.AsObject(), t, collections[name]);
      tables.emplace_back(name + " (" + std::to_string(t.rows.size()) + ")", std::move(t));
      continue;
    }
    if (IsSecret(*m)) {
      props.rows.push_back({name, kHidden});
      properties[name] = kHidden;
      continue;
    }
    props.rows.push_back({name, error.empty() ? Text(v) : error});
    properties[name] = error.empty() ? Json(v) : json(error);
  }
  if (IsCollection(object)) {
    Table t;
    DescribeItems(object, t, collections["Item"]);
    tables.emplace_back("Items (" + std::to_string(t.rows.size()) + ")", std::move(t));
  }
  if (asJson) {
    out["Class"] = au::ToUtf8(info.name);
    out["Properties"] = properties;
    if (!collections.empty()) out["Collections"] = collections;
    return;
  }
  text << title << " " << au::ToUtf8(info.name) << '\n';
  if (!props.rows.empty()) props.Print(text, "  ");
  for (const auto& [name, table] : tables) {
    text << "  " << name << '\n';
    if (!table.rows.empty()) table.Print(text, "    ");
  }
}

int RunCall(const CallRequest& request, const GlobalOptions& options) {
  au::Ref<au::Object> object = rt::CreateObject(au::FromUtf8(request.progId));
  const au::ClassInfo& info = au::ClassOf(*object);

  // Defaults a page would have set from its include file and login form.
  auto let = [&](std::u16string_view name, const std::string& value) {
    std::vector<Variant> args{Variant(au::FromUtf8(value))};
    rt::InvokeByName(*object, name, rt::kPropertyPut, args);
  };
  if (HasMember(info, m::AnyClass::ServUPath))
    let(m::AnyClass::ServUPath, options.servuPath.empty() ? "." : options.servuPath);
  if (!options.admin.empty()) {
    if (HasMember(info, m::AnyClass::AdminName)) let(m::AnyClass::AdminName, options.admin);
    if (HasMember(info, m::AnyClass::Administrator)) let(m::AnyClass::Administrator, options.admin);
  }
  if (const char* password = std::getenv("VANTREL_PASSWORD")) {
    if (HasMember(info, m::AnyClass::AdminPassword))
      let(m::AnyClass::AdminPassword, password);
    else if (HasMember(info, m::AnyClass::Password) && HasMember(info, m::AnyClass::Administrator))
      let(m::AnyClass::Password, password);
  }

  std::size_t i = 0;
  for (; i < request.words.size(); ++i) {
    const std::string& word = request.words[i];
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0) break;
    let(au::FromUtf8(word.substr(0, eq)), word.substr(eq + 1));
  }

  json out = json::object();
  out["ProgID"] = "Vantrel." + au::ToUtf8(info.name);
  int exitCode = kSuccess;
  Variant result;
  bool called = false;
  if (i < request.words.size()) {
    const std::string operation = request.words[i++];
    std::vector<Variant> args;
    for (; i < request.words.size(); ++i) args.emplace_back(au::FromUtf8(request.words[i]));
    result = rt::InvokeByName(*object, au::FromUtf8(operation), rt::kMethod | rt::kPropertyGet, args);
    called = true;
    out["Operation"] = operation;
    out["Result"] = Json(result);
    if (result.Type() == au::VarType::Bool && !result.AsBool()) exitCode = kOperationFalse;
    if (!options.json) std::cout << "Result: " << Text(result) << '\n';
  }
  if (HasMember(info, m::AnyClass::ErrorMsg)) {
    const Variant message = rt::InvokeByName(*object, m::AnyClass::ErrorMsg, rt::kPropertyGet, {});
    out["ErrorMsg"] = Json(message);
    if (!options.json && !message.AsString().empty()) std::cout << "ErrorMsg: " << Text(message) << '\n';
  }
  if (called && result.IsObject() && result.AsObject()) {
    json described = json::object();
    Describe(*result.AsObject(), options.json, described, std::cout, "Returned");
    out["Returned"] = described;
  }
  json self = json::object();
  Describe(*object, options.json, self, std::cout, "Object");
  out["Object"] = self;
  if (options.json) std::cout << out.dump(2) << '\n';
  return exitCode;
}

}  // namespace

void AddCallCommand(CLI::App& app, GlobalOptions& options, int& result) {
  auto request = std::make_shared<CallRequest>();
  auto* sub = app.add_subcommand("call", "create any class, set properties, call one member and show the outcome");
  sub->add_option("progid", request->progId, "ProgID, e.g. Vantrel.Domains")->required();
  sub->add_option("words", request->words, "NAME=VALUE ... then OPERATION ARG ...");
  sub->footer(
      "ServUPath is set from --servu-path (SERVU_PATH, else the current folder), AdminName/Administrator from "
      "--admin, AdminPassword/Password from VANTREL_PASSWORD; NAME=VALUE words override them.");
  sub->fallthrough();
  sub->callback([request, &options, &result] {
    try {
      result = RunCall(*request, options);
    } catch (const au::AutomationError& e) {
      std::cerr << "vantrel: error " << e.Number() << ": " << au::ToUtf8(e.Description()) << '\n';
      result = kUsageOrAutomationError;
    }
  });
}

}  // namespace vantrel::cli
