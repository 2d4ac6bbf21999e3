// vantrel domains list | add HOST IP [--port N] | modify ID HOST IP PORT | delete ID
//
// The FTP server's domains through a late-bound Domains object, as a page
// calls it. Arguments go in as text and are coerced to the declared types, so
// a bad number is refused the way a page's form value would be (exit 2).
// Changes need the system administrator: --admin and a password.
#include <unistd.h>

#include <iostream>
#include <string>
#include <memory>

#include "automation/coercion.hpp"
#include "automation/error.hpp"
#include "automation/text.hpp"
#include "cli_support.hpp"
#include "model/names.hpp"

namespace vantrel::cli {
namespace {

namespace au = vantrel::automation;
namespace m = vantrel::model;
using nlohmann::json;

struct DomainRow {
  std::int16_t id;
  std::string hostName, ip;
  std::int16_t port;
};

// The Domain collection of a Domains object after GetDomain.
std::vector<DomainRow> ListedRows(au::Object& domains) {
  std::vector<DomainRow> rows;
  for (const au::Ref<au::Object>& d : CollectionItems(domains, m::Domains::Domain))
    rows.push_back({au::ToInteger(GetProperty(*d, m::CDomain::ID)), StringProperty(*d, m::CDomain::HostName),
                    StringProperty(*d, m::CDomain::IP), au::ToInteger(GetProperty(*d, m::CDomain::port))});
  return rows;
}

au::Ref<au::Object> NewDomains(const GlobalOptions& options, bool passwordStdin) {
  au::Ref<au::Object> domains = CreateManager(m::Domains::kProgId);
  SetServUPath(*domains, options);
  SetCredentials(*domains, options, CredentialsPassword(options, passwordStdin));
  return domains;
}

int List(const GlobalOptions& options) {
  au::Ref<au::Object> domains = NewDomains(options, false);
  if (!au::ToBoolean(CallMethod(*domains, m::Domains::GetDomain)))
    return OperationOutcome(*domains, m::Domains::GetDomain, false, options, "");
  const auto rows = ListedRows(*domains);
  if (options.json) {
    json list = json::array();
    for (const auto& r : rows) list.push_back({{"ID", r.id}, {"HostName", r.hostName}, {"IP", r.ip}, {"port", r.port}});
    std::cout << list.dump(2) << '\n';
    return kSuccess;
  }
  Table table{{"ID", "HostName", "IP", "Port"}, {}};
  for (const auto& r : rows) table.rows.push_back({std::to_string(r.id), r.hostName, r.ip, std::to_string(r.port)});
  table.Print(std::cout);
  return kSuccess;
}

struct Request {
  std::string id, hostName, ip, port;
  bool portGiven = false;
  bool passwordStdin = false;
  bool yes = false;
};

// A port as the declared Integer holds it; anything else names the option and the range.
au::Variant Port(const std::string& option, const std::string& text) {
  const std::string expected = option + " '" + text + "': expected a port number from 1 to 32767";
  try {
    const std::int16_t port = au::ToInteger(au::Variant(au::FromUtf8(text)));
    if (port < 1) throw UsageError{expected};
    return au::Variant(port);
  } catch (const au::AutomationError& e) {
    if (e.Number() != 13 && e.Number() != 6) throw;  // type mismatch, overflow
    throw UsageError{expected};
  }
}

int Add(const Request& q, const GlobalOptions& options) {
  std::vector<au::Variant> args{au::FromUtf8(q.hostName), au::FromUtf8(q.ip)};
  if (q.portGiven) args.push_back(Port("--port", q.port));
  au::Ref<au::Object> domains = NewDomains(options, q.passwordStdin);
  const bool ok = au::ToBoolean(CallMethod(*domains, m::Domains::AddDomain, args));
  if (!ok) return OperationOutcome(*domains, m::Domains::AddDomain, false, options, "");
  // AddDomain does not say which ID it gave: the new listing does.
  json details = json::object();
  std::string text = "Added domain " + q.hostName;
  au::Ref<au::Object> check = NewDomains(options, false);
  if (au::ToBoolean(CallMethod(*check, m::Domains::GetDomain))) {
    for (const auto& r : ListedRows(*check)) {
      if (r.hostName != q.hostName) continue;
      details["ID"] = r.id;
      text = "Added domain " + std::to_string(r.id) + ": " + r.hostName + " " + r.ip + " port " +
             std::to_string(r.port);
    }
  }
  return OperationOutcome(*domains, m::Domains::AddDomain, true, options, text, details);
}

int Modify(const Request& q, const GlobalOptions& options) {
  au::Variant port = Port("PORT", q.port);
  au::Ref<au::Object> domains = NewDomains(options, q.passwordStdin);
  const bool ok = au::ToBoolean(CallMethod(*domains, m::Domains::ModifyDomain,
                                           {au::FromUtf8(q.id), au::FromUtf8(q.hostName), au::FromUtf8(q.ip), port}));
  return OperationOutcome(*domains, m::Domains::ModifyDomain, ok, options, "Modified domain " + q.id);
}

// Deleting a domain takes all its accounts with it: a person confirms on the
// terminal, a script says --yes. A dry run deletes nothing, so needs neither.
bool Confirmed(const Request& q, const GlobalOptions& options) {
  if (q.yes || options.dryRun) return true;
  if (q.passwordStdin || !::isatty(STDIN_FILENO))
    throw UsageError{"domains delete removes domain " + q.id +
                     " and every account in it: add --yes to confirm when standard input is not a terminal"};
  std::cerr << "Delete domain " << q.id << " and every account in it? [y/N] " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return answer == "y" || answer == "Y" || answer == "yes";
}

int Delete(const Request& q, const GlobalOptions& options) {
  if (!Confirmed(q, options)) {
    std::cerr << "vantrel: nothing deleted\n";
    return kOperationFalse;
  }
  au::Ref<au::Object> domains = NewDomains(options, q.passwordStdin);
  const bool ok = au::ToBoolean(CallMethod(*domains, m::Domains::DelDomain, {au::FromUtf8(q.id)}));
  return OperationOutcome(*domains, m::Domains::DelDomain, ok, options, "Deleted domain " + q.id + " with its users");
}

}  // namespace

void AddDomainsCommand(CLI::App& app, GlobalOptions& options, int& result) {
  auto* domains = app.add_subcommand("domains", "list, add, change and delete the FTP server's domains");
  domains->require_subcommand(1);
  auto q = std::make_shared<Request>();

  domains->add_subcommand("list", "list the domains of ServUDaemon.ini")->callback([&options, &result] {
    result = RunGuarded([&] { return List(options); });
  });

  auto* add = domains->add_subcommand("add", "add a domain (system administrator)");
  add->add_option("host", q->hostName, "host name")->required();
  add->add_option("ip", q->ip, "IP address (\"\" for every address)")->required();
  add->add_option("--port", q->port, "port number, 1 to 32767 (default 21)")->type_name("PORT")->each([q](const std::string&) { q->portGiven = true; });
  add->add_flag("--password-stdin", q->passwordStdin, "read the password from the first line of standard input");
  add->callback([q, &options, &result] { result = RunGuarded([&] { return Add(*q, options); }); });

  auto* modify = domains->add_subcommand("modify", "change a domain's host name, address and port (system administrator)");
  modify->add_option("id", q->id, "domain ID")->required();
  modify->add_option("host", q->hostName, "host name")->required();
  modify->add_option("ip", q->ip, "IP address")->required();
  modify->add_option("port", q->port, "port number, 1 to 32767")->required();
  modify->add_flag("--password-stdin", q->passwordStdin, "read the password from the first line of standard input");
  modify->callback([q, &options, &result] { result = RunGuarded([&] { return Modify(*q, options); }); });

  auto* del = domains->add_subcommand("delete", "delete a domain with its users (system administrator)");
  del->add_option("id", q->id, "domain ID")->required();
  del->add_flag("--password-stdin", q->passwordStdin, "read the password from the first line of standard input");
  del->add_flag("--yes", q->yes, "delete without asking (needed when standard input is not a terminal)");
  del->callback([q, &options, &result] { result = RunGuarded([&] { return Delete(*q, options); }); });
}

}  // namespace vantrel::cli
