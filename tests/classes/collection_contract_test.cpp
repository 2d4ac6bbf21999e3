// The collection pattern, once for all seven collection classes: positions,
// keys without regard to letter case, Item by number or String, Remove with
// renumbering, errors 5, 9 and 457 with the state unchanged, enumeration in
// adding order, and records shared by reference.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.hpp"
#include "../automation/error_of.hpp"
#include "classes/collections.hpp"

namespace {

using namespace vantrel::classes;
using vantrel::automation::test_support::ErrorOf;
using vantrel::automation::AutomationError;
using vantrel::automation::Date;
using vantrel::automation::Variant;

// Per collection: how to add an item tagged with a text, and how to read the
// tag back from a record.
struct DomainTraits {
  using C = Domain;
  static auto Add(C& c, const String& tag, const String& key) { return c.Add(1, u"10.0.0.1", tag, 21, key); }
  static String Tag(const CDomain& r) { return r.HostName; }
  static void Retag(CDomain& r, const String& tag) { r.HostName = tag; }
};
struct UserListTraits {
  using C = UserList;
  static auto Add(C& c, const String& tag, const String& key) { return c.Add(tag, 1, false, false, kExpiryEpoch, key); }
  static String Tag(const CUserList& r) { return r.UserName; }
  static void Retag(CUserList& r, const String& tag) { r.UserName = tag; }
};
struct DirAccessTraits {
  using C = DirAccess;
  static auto Add(C& c, const String& tag, const String& key) {
    return c.Add(tag, true, false, false, false, false, true, false, false, true, key);
  }
  static String Tag(const CDirAccess& r) { return r.Directory; }
  static void Retag(CDirAccess& r, const String& tag) { r.Directory = tag; }
};
struct DirectoryTraits {
  using C = Directory;
  static auto Add(C& c, const String& tag, const String& key) { return c.Add(tag, Date{1}, key); }
  static String Tag(const CDir& r) { return r.DirName; }
  static void Retag(CDir& r, const String& tag) { r.DirName = tag; }
};
struct FileTraits {
  using C = File;
  static auto Add(C& c, const String& tag, const String& key) { return c.Add(tag, 10, Date{1}, Date{2}, Date{3}, key); }
  static String Tag(const CFile& r) { return r.FileName; }
  static void Retag(CFile& r, const String& tag) { r.FileName = tag; }
};
struct AdminTraits {
  using C = Admin;
  static auto Add(C& c, const String& tag, const String& key) { return c.Add(tag, u"pw", 1, u"D:\\", key); }
  static String Tag(const CAdmin& r) { return r.AdminName; }
  static void Retag(CAdmin& r, const String& tag) { r.AdminName = tag; }
};
struct PublicDirTraits {
  using C = PublicDir;
  static auto Add(C& c, const String& tag, const String& key) { return c.Add(tag, key); }
  static String Tag(const CPublicDir& r) { return r.Directory; }
  static void Retag(CPublicDir& r, const String& tag) { r.Directory = tag; }
};

template <class Traits>
class CollectionContract : public testing::Test {
 protected:
  using C = typename Traits::C;
  Ref<C> c = vantrel::automation::MakeRef<C>();

  void Add(const String& tag, const String& key = {}) { Traits::Add(*c, tag, key); }
  String TagAt(Variant indexKey) { return Traits::Tag(*c->Item(indexKey)); }
  std::vector<String> Tags() {
    std::vector<String> out;
    for (std::int32_t i = 1; i <= c->Count(); ++i) out.push_back(TagAt(Variant(i)));
    return out;
  }
};

using AllCollections = testing::Types<DomainTraits, UserListTraits, DirAccessTraits, DirectoryTraits, FileTraits,
                                      AdminTraits, PublicDirTraits>;
TYPED_TEST_SUITE(CollectionContract, AllCollections);

TYPED_TEST(CollectionContract, StartsEmpty) {
  EXPECT_EQ(this->c->Count(), 0);
  EXPECT_EQ(ErrorOf([&] { this->c->Item(Variant(std::int16_t{1})); }), 9);
}

TYPED_TEST(CollectionContract, KeepsPositionsInAddingOrder) {
  this->Add(u"a", u"ka");
  this->Add(u"b");
  this->Add(u"c", u"kc");
  EXPECT_EQ(this->c->Count(), 3);
  EXPECT_EQ(this->Tags(), (std::vector<String>{u"a", u"b", u"c"}));
}

TYPED_TEST(CollectionContract, FindsKeysWithoutRegardToLetterCase) {
  this->Add(u"a", u"Alpha");
  this->Add(u"u", u"\u00C4rger");  // Ärger
  EXPECT_EQ(this->TagAt(Variant(String(u"ALPHA"))), u"a");
  EXPECT_EQ(this->TagAt(Variant(String(u"alpha"))), u"a");
  EXPECT_EQ(this->TagAt(Variant(String(u"\u00E4RGER"))), u"u") << "letter case beyond ASCII";
}

TYPED_TEST(CollectionContract, TakesAStringAsKeyEvenWhenItHoldsDigits) {
  this->Add(u"first", u"2");
  this->Add(u"second", u"1");
  EXPECT_EQ(this->TagAt(Variant(String(u"1"))), u"second");
  EXPECT_EQ(this->TagAt(Variant(std::int16_t{1})), u"first");
  EXPECT_EQ(this->TagAt(Variant(std::int32_t{2})), u"second");
  EXPECT_EQ(this->TagAt(Variant(1.5)), u"second") << "a fractional position rounds half to even";
  EXPECT_EQ(ErrorOf([&] { this->c->Item(Variant(String(u"3"))); }), 5);
}

TYPED_TEST(CollectionContract, ReachesUnkeyedItemsByPositionOnly) {
  this->Add(u"a");
  this->Add(u"b", u"");
  EXPECT_EQ(this->c->Count(), 2) << "two items with the empty key are allowed";
  EXPECT_EQ(ErrorOf([&] { this->c->Item(Variant(String(u""))); }), 5);
  EXPECT_EQ(this->TagAt(Variant(std::int16_t{2})), u"b");
}

TYPED_TEST(CollectionContract, RefusesADuplicateKeyAndKeepsTheState) {
  this->Add(u"a", u"key");
  EXPECT_EQ(ErrorOf([&] { this->Add(u"b", u"KEY"); }), 457);
  EXPECT_EQ(this->c->Count(), 1);
  EXPECT_EQ(this->TagAt(Variant(String(u"key"))), u"a");
  this->Add(u"c", u"other");
  EXPECT_EQ(this->Tags(), (std::vector<String>{u"a", u"c"}));
}

TYPED_TEST(CollectionContract, RemovesAndRenumbers) {
  this->Add(u"a", u"ka");
  this->Add(u"b", u"kb");
  this->Add(u"c", u"kc");
  this->c->Remove(Variant(std::int16_t{1}));
  EXPECT_EQ(this->Tags(), (std::vector<String>{u"b", u"c"}));
  EXPECT_EQ(ErrorOf([&] { this->c->Item(Variant(String(u"ka"))); }), 5) << "the key went with the item";
  this->c->Remove(Variant(String(u"KC")));
  EXPECT_EQ(this->Tags(), (std::vector<String>{u"b"}));
  this->Add(u"a2", u"ka");
  EXPECT_EQ(this->TagAt(Variant(String(u"ka"))), u"a2") << "a removed key can be used again";
}

TYPED_TEST(CollectionContract, RefusesBadRemovalsAndKeepsTheState) {
  this->Add(u"a", u"ka");
  this->Add(u"b");
  EXPECT_EQ(ErrorOf([&] { this->c->Remove(Variant(std::int16_t{0})); }), 9);
  EXPECT_EQ(ErrorOf([&] { this->c->Remove(Variant(std::int16_t{3})); }), 9);
  EXPECT_EQ(ErrorOf([&] { this->c->Remove(Variant(std::int16_t{-1})); }), 9);
  EXPECT_EQ(ErrorOf([&] { this->c->Remove(Variant(String(u"kb"))); }), 5);
  EXPECT_EQ(ErrorOf([&] { this->c->Item(Variant::Nothing()); }), 13);
  EXPECT_EQ(this->Tags(), (std::vector<String>{u"a", u"b"}));
  EXPECT_EQ(this->TagAt(Variant(String(u"ka"))), u"a");
}

TYPED_TEST(CollectionContract, SharesRecordsByReference) {
  auto added = TypeParam::Add(*this->c, u"a", u"k");
  TypeParam::Retag(*added, u"changed");
  EXPECT_EQ(this->TagAt(Variant(String(u"k"))), u"changed");
  EXPECT_EQ(this->c->Item(Variant(std::int16_t{1})).get(), added.get());
  auto kept = this->c->Item(Variant(std::int16_t{1}));
  this->c->Remove(Variant(std::int16_t{1}));
  EXPECT_EQ(TypeParam::Tag(*kept), u"changed") << "a removed record lives on while held";
}

TYPED_TEST(CollectionContract, EnumeratesAFreshSnapshotInAddingOrder) {
  this->Add(u"a");
  this->Add(u"b", u"kb");
  auto e = this->c->NewEnum();
  this->Add(u"c");
  Variant items[3];
  ASSERT_EQ(e->Next(3, items), 2u) << "the enumerator holds the items of its start";
  EXPECT_EQ(TypeParam::Tag(static_cast<const typename TypeParam::C::RecordType&>(*items[0].AsObject())), u"a");
  EXPECT_EQ(TypeParam::Tag(static_cast<const typename TypeParam::C::RecordType&>(*items[1].AsObject())), u"b");
  auto fresh = this->c->NewEnum();
  EXPECT_EQ(fresh->Next(3, items), 3u);
}

}  // namespace
