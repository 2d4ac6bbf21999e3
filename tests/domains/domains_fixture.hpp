#pragma once
// A server folder with the settings file in place, and Domains objects on it.
#include <gtest/gtest.h>

#include <string>

#include "automation/error.hpp"
#include "automation/object.hpp"
#include "classes/domains.hpp"
#include "server_folder.hpp"

namespace vantrel::testing {

class DomainsTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.WriteSettings(); }

  automation::Ref<classes::Domains> NewDomains(bool asAdmin = true) const {
    auto domains = automation::MakeRef<classes::Domains>();
    domains->ServUPath = folder_.ServUPath();
    if (asAdmin) {
      domains->AdminName = kAdminName;
      domains->AdminPassword = kAdminPassword;
    }
    return domains;
  }

  // The automation error number a call raised (0 when it raised none).
  template <class F>
  static int ErrorOf(F&& call) {
    try {
      call();
    } catch (const automation::AutomationError& e) {
      return e.Number();
    }
    return 0;
  }

  ServerFolder folder_;
};

}  // namespace vantrel::testing
