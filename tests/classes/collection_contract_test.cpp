// The collection pattern is golden cases (tests/cases/classes/collections.case);
// here what a case cannot interleave: an enumerator keeps the items of its start.
#include <gtest/gtest.h>

#include "classes/collections.hpp"

namespace {

using namespace vantrel::classes;
using vantrel::automation::Variant;

TEST(Collection, EnumeratesASnapshotInAddingOrder) {
  auto c = vantrel::automation::MakeRef<PublicDir>();
  c->Add(u"a", u"");
  c->Add(u"b", u"kb");
  auto e = c->NewEnum();
  c->Add(u"c", u"");
  Variant items[3];
  ASSERT_EQ(e->Next(3, items), 2u);
  EXPECT_EQ(static_cast<const CPublicDir&>(*items[0].AsObject()).Directory, u"a");
  EXPECT_EQ(static_cast<const CPublicDir&>(*items[1].AsObject()).Directory, u"b");
  EXPECT_EQ(c->NewEnum()->Next(3, items), 3u);
}

}  // namespace
