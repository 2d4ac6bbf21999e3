// The C interface of libvantrel.so: creation, invocation by name, variant
// marshalling with UTF-8 strings, errors, enumerators, references and class
// factories (registration is tests/cli/regsvr.t's, through vantrel-regsvr).
#include <gtest/gtest.h>

#include <string>

#include "automation/runtime/vantrel.h"

namespace {

struct Handle {
  vantrel_object* p = nullptr;
  ~Handle() { vantrel_release(p); }
};

vantrel_variant Str(const char* s) {
  vantrel_variant v{};
  v.type = VANTREL_STRING;
  v.string_value = const_cast<char*>(s);
  return v;
}
vantrel_variant Int(int32_t i, int32_t type = VANTREL_I4) {
  vantrel_variant v{};
  v.type = type;
  v.int_value = i;
  return v;
}
vantrel_variant Obj(vantrel_object* o) {
  vantrel_variant v{};
  v.type = VANTREL_OBJECT;
  v.object_value = o;
  return v;
}

class CApi : public testing::Test {
 protected:
  vantrel_object* Create(const char* progid) {
    vantrel_object* o = nullptr;
    EXPECT_EQ(vantrel_create(progid, &o, nullptr), 0);
    return o;
  }
  // Calls and returns the result; fails the test on an error.
  vantrel_variant Call(vantrel_object* o, const char* name, int32_t flags, std::initializer_list<vantrel_variant> args) {
    vantrel_variant result{};
    vantrel_error error{};
    const int32_t rc = vantrel_invoke(o, name, flags, args.begin(), static_cast<int32_t>(args.size()), &result, &error);
    EXPECT_EQ(rc, 0) << (error.description ? error.description : "");
    vantrel_error_clear(&error);
    return result;
  }
  std::string GetString(vantrel_object* o, const char* name) {
    vantrel_variant v = Call(o, name, VANTREL_PROPERTYGET, {});
    EXPECT_EQ(v.type, VANTREL_STRING);
    std::string s = v.string_value ? v.string_value : "";
    vantrel_variant_clear(&v);
    return s;
  }
};

TEST_F(CApi, CreatesByProgIdAndReportsUnknownClasses) {
  Handle user{Create("vantrel.user")};
  EXPECT_STREQ(vantrel_class_name(user.p), "User");
  vantrel_object* none = reinterpret_cast<vantrel_object*>(1);
  vantrel_error error{};
  EXPECT_EQ(vantrel_create("Vantrel.Missing", &none, &error), 429);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(error.number, 429);
  ASSERT_NE(error.description, nullptr);
  EXPECT_STREQ(error.description, "ActiveX component can't create object");
  vantrel_error_clear(&error);
  EXPECT_EQ(error.description, nullptr);
}

TEST_F(CApi, MarshalsEveryScalarType) {
  Handle user{Create("Vantrel.User")};
  Call(user.p, "MaxNrUsers", VANTREL_PROPERTYPUT, {Int(12, VANTREL_I2)});
  vantrel_variant v = Call(user.p, "MaxNrUsers", VANTREL_PROPERTYGET, {});
  EXPECT_EQ(v.type, VANTREL_I2);
  EXPECT_EQ(v.int_value, 12);
  Call(user.p, "SpeedLimitUp", VANTREL_PROPERTYPUT, {Str("&H100")});
  v = Call(user.p, "SpeedLimitUp", VANTREL_PROPERTYGET, {});
  EXPECT_EQ(v.type, VANTREL_I4);
  EXPECT_EQ(v.int_value, 256);
  Call(user.p, "Expire", VANTREL_PROPERTYPUT, {Int(1, VANTREL_BOOL)});
  v = Call(user.p, "Expire", VANTREL_PROPERTYGET, {});
  EXPECT_EQ(v.type, VANTREL_BOOL);
  EXPECT_EQ(v.int_value, 1);
  vantrel_variant date{};
  date.type = VANTREL_DATE;
  date.real_value = 38000.5;
  Call(user.p, "ExpireDate", VANTREL_PROPERTYPUT, {date});
  v = Call(user.p, "ExpireDate", VANTREL_PROPERTYGET, {});
  EXPECT_EQ(v.type, VANTREL_DATE);
  EXPECT_EQ(v.real_value, 38000.5);
}

TEST_F(CApi, ReportsErrorNumberAndDescription) {
  Handle user{Create("Vantrel.User")};
  vantrel_variant arg = Str("many");
  vantrel_error error{};
  EXPECT_EQ(vantrel_invoke(user.p, "TimeOut", VANTREL_PROPERTYPUT, &arg, 1, nullptr, &error), 13);
  EXPECT_EQ(error.number, 13);
  EXPECT_STREQ(error.description, "Type mismatch");
  vantrel_error_clear(&error);
  vantrel_variant big = Int(70000, VANTREL_I2);
  EXPECT_EQ(vantrel_invoke(user.p, "TimeOut", VANTREL_PROPERTYPUT, &big, 1, nullptr, nullptr), 6)
      << "an I2 out of range is an overflow, not a silent cut";
  EXPECT_EQ(vantrel_invoke(user.p, "NoSuchMember", VANTREL_PROPERTYGET, nullptr, 0, nullptr, nullptr), 438);
  EXPECT_EQ(vantrel_invoke(nullptr, "x", VANTREL_PROPERTYGET, nullptr, 0, nullptr, nullptr), 5);
}

TEST_F(CApi, SetsObjectsAndNothing) {
  Handle user{Create("Vantrel.User")};
  Handle list{Create("Vantrel.UserList")};
  Call(user.p, "UserList", VANTREL_PROPERTYPUTREF, {Obj(list.p)});
  vantrel_variant got = Call(user.p, "UserList", VANTREL_PROPERTYGET, {});
  ASSERT_EQ(got.type, VANTREL_OBJECT);
  EXPECT_EQ(got.object_value, list.p) << "the same object comes back";
  vantrel_variant_clear(&got);
  Call(user.p, "UserList", VANTREL_PROPERTYPUTREF, {Obj(nullptr)});
  got = Call(user.p, "UserList", VANTREL_PROPERTYGET, {});
  ASSERT_EQ(got.type, VANTREL_OBJECT);
  EXPECT_NE(got.object_value, nullptr);
  EXPECT_NE(got.object_value, list.p);
  vantrel_variant_clear(&got);
}

TEST_F(CApi, EnumeratesACollection) {
  Handle dirs{Create("Vantrel.PublicDir")};
  for (const char* d : {"C:\\a", "C:\\b"}) {
    vantrel_variant r = Call(dirs.p, "Add", VANTREL_METHOD, {Str(d)});
    vantrel_variant_clear(&r);
  }
  vantrel_variant e = Call(dirs.p, "NewEnum", VANTREL_PROPERTYGET, {});
  ASSERT_EQ(e.type, VANTREL_OBJECT);
  EXPECT_STREQ(vantrel_class_name(e.object_value), "Enumerator");
  std::string seen;
  vantrel_variant item{};
  while (vantrel_enum_next(e.object_value, &item) == 1) {
    seen += GetString(item.object_value, "") + ";";
    vantrel_variant_clear(&item);
  }
  EXPECT_EQ(seen, "C:\\a;C:\\b;");
  vantrel_enum_reset(e.object_value);
  EXPECT_EQ(vantrel_enum_skip(e.object_value, 1), 1);
  vantrel_object* clone = vantrel_enum_clone(e.object_value);
  ASSERT_EQ(vantrel_enum_next(clone, &item), 1);
  EXPECT_EQ(GetString(item.object_value, "Directory"), "C:\\b");
  vantrel_variant_clear(&item);
  vantrel_release(clone);
  vantrel_variant_clear(&e);
}

TEST_F(CApi, CountsHeldObjectsForUnloading) {
  const int32_t before = DllCanUnloadNow();
  vantrel_object* o = Create("Vantrel.Global");
  EXPECT_EQ(DllCanUnloadNow(), 1);
  vantrel_addref(o);
  vantrel_release(o);
  EXPECT_EQ(DllCanUnloadNow(), 1);
  vantrel_release(o);
  EXPECT_EQ(DllCanUnloadNow(), before);
}

TEST_F(CApi, GivesClassFactoriesByClsid) {
  void* factory = nullptr;
  ASSERT_EQ(DllGetClassObject("{5ffbb322-34d9-4f54-aace-a5ebf2841036}", nullptr, &factory), 0);
  auto* f = static_cast<vantrel_class_factory*>(factory);
  EXPECT_STREQ(f->prog_id, "Vantrel.User");
  vantrel_object* made = nullptr;
  ASSERT_EQ(f->create(f, &made), 0);
  EXPECT_STREQ(vantrel_class_name(made), "User");
  vantrel_release(made);
  EXPECT_LT(DllGetClassObject("{00000000-0000-0000-0000-000000000000}", nullptr, &factory), 0);
  EXPECT_EQ(factory, nullptr);
}

}  // namespace
