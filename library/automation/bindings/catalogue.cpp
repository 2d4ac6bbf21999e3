// The 20 classes as a late-bound caller sees them: members in slot order with
// their kinds, types, parameters and defaults, bound to the C++ classes.
#include <cstdint>
#include <string>
#include <utility>

#include "automation/bindings/class_binding.hpp"
#include "automation/bindings/invoke.hpp"
#include "automation/enumerator.hpp"
#include "classes/admin_of_admin.hpp"
#include "classes/collections.hpp"
#include "classes/domains.hpp"
#include "classes/explorer.hpp"
#include "classes/global.hpp"
#include "classes/user.hpp"

namespace vantrel::automation::bindings {
namespace {

namespace cls = vantrel::classes;
using Args = std::span<const Variant>;

constexpr DeclaredType kVoid{TypeKind::Void};
constexpr DeclaredType kInteger{TypeKind::Integer};
constexpr DeclaredType kLong{TypeKind::Long};
constexpr DeclaredType kBoolean{TypeKind::Boolean};
constexpr DeclaredType kDate{TypeKind::Date};
constexpr DeclaredType kString{TypeKind::String};
constexpr DeclaredType kVariant{TypeKind::Variant};
constexpr DeclaredType kEnumerator{TypeKind::Enumerator};
constexpr DeclaredType ObjectOf(ClassId id) { return {TypeKind::Object, id}; }

template <class V>
constexpr DeclaredType TypeOf() {
  if constexpr (std::is_same_v<V, std::int16_t>) return kInteger;
  else if constexpr (std::is_same_v<V, std::int32_t>) return kLong;
  else if constexpr (std::is_same_v<V, bool>) return kBoolean;
  else if constexpr (std::is_same_v<V, Date>) return kDate;
  else return kString;
}

// The value of a coerced argument of a declared scalar type.
template <class V>
V Value(const Variant& v) {
  if constexpr (std::is_same_v<V, std::int16_t>) return v.AsI2();
  else if constexpr (std::is_same_v<V, std::int32_t>) return v.AsI4();
  else if constexpr (std::is_same_v<V, bool>) return v.AsBool();
  else if constexpr (std::is_same_v<V, Date>) return v.AsDate();
  else return v.AsString();
}

ParamInfo Param(std::u16string name, DeclaredType type, bool byRef = false) {
  return {std::move(name), type, false, std::nullopt, byRef};
}
ParamInfo Optional(std::u16string name, DeclaredType type, Variant defaultValue) {
  return {std::move(name), type, true, std::move(defaultValue), false};
}
// sKey: optional without a declared default (an omitted key is no key).
ParamInfo Key(bool byRef) { return {u"sKey", kString, true, std::nullopt, byRef}; }

class Builder {
 public:
  Builder(ClassBinding& binding) : b_(binding) {}

  template <class T, class V>
  void Field(std::u16string name, V T::*member, bool isDefault = false) {
    Add({std::move(name), MemberKind::Field, TypeOf<V>(), {}, 0, false, isDefault},
        {[member](Object& o, Args) { return Variant(static_cast<T&>(o).*member); },
         [member](Object& o, const Variant& v) { static_cast<T&>(o).*member = Value<V>(v); }});
  }

  template <class T, class V>
  void ReadOnly(std::u16string name, V T::*member, bool isDefault = false) {
    Add({std::move(name), MemberKind::ReadOnlyProperty, TypeOf<V>(), {}, 0, false, isDefault},
        {[member](Object& o, Args) { return Variant(static_cast<T&>(o).*member); }, nullptr});
  }

  // A field whose Let runs the class's own rule.
  template <class T, class V>
  void RuledField(std::u16string name, const V& (T::*getter)() const, void (T::*setter)(const V&),
                  bool isDefault = false) {
    Add({std::move(name), MemberKind::Field, TypeOf<V>(), {}, 0, false, isDefault},
        {[getter](Object& o, Args) { return Variant((static_cast<T&>(o).*getter)()); },
         [setter](Object& o, const Variant& v) { (static_cast<T&>(o).*setter)(Value<V>(v)); }});
  }

  template <class T, class C>
  void ObjectProperty(std::u16string name, cls::OwnedCollection<C> T::*member, bool settable) {
    MemberCode code{[member](Object& o, Args) { return Variant((static_cast<T&>(o).*member).Get()); }, nullptr};
    if (settable) {
      code.put = [member](Object& o, const Variant& v) {
        (static_cast<T&>(o).*member).Set(Ref<C>(static_cast<C*>(v.AsObject().get())));
      };
    }
    Add({std::move(name), settable ? MemberKind::ObjectGetSet : MemberKind::ObjectGet, ObjectOf(C::kClassId), {}, 0,
         false, false},
        std::move(code));
  }

  void Getter(std::u16string name, DeclaredType type, std::vector<ParamInfo> params,
              std::function<Variant(Object&, Args)> get, bool isDefault = false, bool hidden = false) {
    Add({std::move(name), MemberKind::ReadOnlyProperty, type, std::move(params), 0, hidden, isDefault},
        {std::move(get), nullptr});
  }

  void Operation(std::u16string name, DeclaredType result, std::vector<ParamInfo> params,
                 std::function<Variant(Object&, Args)> run) {
    Add({std::move(name), MemberKind::Operation, result, std::move(params), 0, false, false}, {std::move(run), nullptr});
  }

 private:
  void Add(MemberInfo info, MemberCode code) {
    const auto slot = static_cast<std::int32_t>(b_.info.members.size());
    info.dispid = info.isDefault ? kDispidDefault : info.name == u"NewEnum" ? kDispidNewEnum : slot + 1;
    b_.info.members.push_back(std::move(info));
    b_.code.push_back(std::move(code));
  }
  ClassBinding& b_;
};

template <class T>
ClassBinding Start(std::u16string name, ClassId id) {
  ClassBinding b;
  b.info.name = std::move(name);
  b.info.id = id;
  b.info.create = [] { return Ref<Object>(MakeRef<T>()); };
  return b;
}

template <class T>
T& Self(Object& o) {
  return static_cast<T&>(o);
}

// Item, Count, Remove and NewEnum, shared by the seven collections.
template <class C, class R>
void SharedCollectionMembers(Builder& m, ClassId recordClass) {
  m.Getter(u"Item", ObjectOf(recordClass), {Param(u"vntIndexKey", kVariant, true)},
           [](Object& o, Args a) { return Variant(Self<C>(o).Item(a[0])); }, /*isDefault=*/true);
  m.Getter(u"Count", kLong, {}, [](Object& o, Args) { return Variant(Self<C>(o).Count()); });
  m.Operation(u"Remove", kVoid, {Param(u"vntIndexKey", kVariant, true)}, [](Object& o, Args a) {
    Self<C>(o).Remove(a[0]);
    return Variant();
  });
  m.Getter(u"NewEnum", kEnumerator, {}, [](Object& o, Args) { return Variant(Self<C>(o).NewEnum()); }, false,
           /*hidden=*/true);
}

std::vector<ClassBinding> Build() {
  std::vector<ClassBinding> all;

  {  // Global
    auto b = Start<cls::Global>(u"Global", ClassId::Global);
    Builder m(b);
    m.ReadOnly(u"ErrorMsg", &cls::Global::ErrorMsg);
    m.Field(u"ServUPath", &cls::Global::ServUPath);
    m.Getter(u"Version", kString, {}, [](Object& o, Args) { return Variant(Self<cls::Global>(o).Version()); });
    m.Getter(u"About", kString, {}, [](Object& o, Args) { return Variant(Self<cls::Global>(o).About()); }, true);
    all.push_back(std::move(b));
  }
  all.push_back(Start<cls::CIniFileObject>(u"CIniFile", ClassId::CIniFile));
  {  // Domains
    using D = cls::Domains;
    auto b = Start<D>(u"Domains", ClassId::Domains);
    Builder m(b);
    m.Field(u"AdminPassword", &D::AdminPassword);
    m.Field(u"AdminName", &D::AdminName);
    m.ReadOnly(u"ErrorMsg", &D::ErrorMsg);
    m.ObjectProperty(u"Domain", &D::DomainProperty, false);
    m.Field(u"ServUPath", &D::ServUPath);
    m.Operation(u"GetDomain", kBoolean, {}, [](Object& o, Args) { return Variant(Self<D>(o).GetDomain()); });
    m.Operation(u"AddDomain", kBoolean,
                {Param(u"HostName", kString), Param(u"IP", kString), Optional(u"port", kInteger, std::int16_t{21})},
                [](Object& o, Args a) {
                  return Variant(Self<D>(o).AddDomain(a[0].AsString(), a[1].AsString(), a[2].AsI2()));
                });
    m.Operation(u"DelDomain", kBoolean, {Param(u"ID", kInteger)},
                [](Object& o, Args a) { return Variant(Self<D>(o).DelDomain(a[0].AsI2())); });
    m.Operation(u"ModifyDomain", kBoolean,
                {Param(u"ID", kInteger), Param(u"HostName", kString), Param(u"IP", kString), Param(u"port", kInteger)},
                [](Object& o, Args a) {
                  return Variant(Self<D>(o).ModifyDomain(a[0].AsI2(), a[1].AsString(), a[2].AsString(), a[3].AsI2()));
                });
    m.Operation(u"Reload", kBoolean, {}, [](Object& o, Args) { return Variant(Self<D>(o).Reload()); });
    all.push_back(std::move(b));
  }
  {  // CDomain
    using R = cls::CDomain;
    auto b = Start<R>(u"CDomain", ClassId::CDomain);
    Builder m(b);
    m.Field(u"port", &R::port);
    m.Field(u"HostName", &R::HostName);
    m.RuledField(u"IP", &R::IP, &R::SetIP);
    m.Field(u"ID", &R::ID, true);
    all.push_back(std::move(b));
  }
  {  // Domain
    using C = cls::Domain;
    auto b = Start<C>(u"Domain", ClassId::Domain);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CDomain),
                {Param(u"ID", kInteger), Param(u"IP", kString), Param(u"HostName", kString), Param(u"port", kInteger),
                 Key(false)},
                [](Object& o, Args a) {
                  return Variant(
                      Self<C>(o).Add(a[0].AsI2(), a[1].AsString(), a[2].AsString(), a[3].AsI2(), a[4].AsString()));
                });
    SharedCollectionMembers<C, cls::CDomain>(m, ClassId::CDomain);
    all.push_back(std::move(b));
  }
  {  // CUserList
    using R = cls::CUserList;
    auto b = Start<R>(u"CUserList", ClassId::CUserList);
    Builder m(b);
    m.Field(u"Expire", &R::Expire);
    m.Field(u"ExpireDate", &R::ExpireDate);
    m.Field(u"Disable", &R::Disable);
    m.Field(u"UserName", &R::UserName);
    m.Field(u"DomainID", &R::DomainID);
    all.push_back(std::move(b));
  }
  {  // UserList
    using C = cls::UserList;
    auto b = Start<C>(u"UserList", ClassId::UserList);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CUserList),
                {Param(u"UserName", kString), Optional(u"DomainID", kInteger, std::int16_t{1}),
                 Optional(u"Disable", kBoolean, false), Optional(u"Expire", kBoolean, false),
                 Optional(u"ExpireDate", kDate, cls::kExpiryEpoch), Key(true)},
                [](Object& o, Args a) {
                  return Variant(Self<C>(o).Add(a[0].AsString(), a[1].AsI2(), a[2].AsBool(), a[3].AsBool(),
                                                a[4].AsDate(), a[5].AsString()));
                });
    SharedCollectionMembers<C, cls::CUserList>(m, ClassId::CUserList);
    all.push_back(std::move(b));
  }
  {  // User
    using U = cls::User;
    auto b = Start<U>(u"User", ClassId::User);
    Builder m(b);
    m.Field(u"AdminName", &U::AdminName);
    m.Field(u"AdminPassword", &U::AdminPassword);
    m.Field(u"MaxNrUsers", &U::MaxNrUsers);
    m.Field(u"SessionTimeOut", &U::SessionTimeOut);
    m.Field(u"SpeedLimitDown", &U::SpeedLimitDown);
    m.Field(u"SpeedLimitUp", &U::SpeedLimitUp);
    m.Field(u"MaxUsersLoginPerIP", &U::MaxUsersLoginPerIP);
    m.Field(u"DiskQuotaSize", &U::DiskQuotaSize);
    m.Field(u"EnableDiskQuota", &U::EnableDiskQuota);
    m.Field(u"ChangePassword", &U::ChangePassword);
    m.Field(u"RelPaths", &U::RelPaths);
    m.Field(u"LoginMesFile", &U::LoginMesFile);
    m.Field(u"ExpireDate", &U::ExpireDate);
    m.Field(u"Expire", &U::Expire);
    m.Field(u"Disable", &U::Disable);
    m.Field(u"TimeOut", &U::TimeOut);
    m.Field(u"HomeDir", &U::HomeDir);
    m.Field(u"UserName", &U::UserName);
    m.RuledField(u"Password", &U::Password, &U::SetPassword);
    m.ObjectProperty(u"DirAccess", &U::DirAccessProperty, true);
    m.ReadOnly(u"ErrorMsg", &U::ErrorMsg);
    m.Field(u"ServUPath", &U::ServUPath);
    m.ObjectProperty(u"UserList", &U::UserListProperty, true);
    const auto domain = [] { return Optional(u"DomainID", kInteger, std::int16_t{1}); };
    m.Operation(u"GetUserList", kBoolean, {domain()},
                [](Object& o, Args a) { return Variant(Self<U>(o).GetUserList(a[0].AsI2())); });
    m.Operation(u"GetUser", kBoolean, {Param(u"UserName", kString), domain()},
                [](Object& o, Args a) { return Variant(Self<U>(o).GetUser(a[0].AsString(), a[1].AsI2())); });
    m.Operation(u"ModifyUser", kBoolean, {Param(u"UserName", kString), domain()},
                [](Object& o, Args a) { return Variant(Self<U>(o).ModifyUser(a[0].AsString(), a[1].AsI2())); });
    m.Operation(u"DelUser", kBoolean, {Param(u"UserName", kString), domain()},
                [](Object& o, Args a) { return Variant(Self<U>(o).DelUser(a[0].AsString(), a[1].AsI2())); });
    m.Operation(u"AddUser", kBoolean, {domain()},
                [](Object& o, Args a) { return Variant(Self<U>(o).AddUser(a[0].AsI2())); });
    m.Operation(u"GetRole", kInteger, {domain()},
                [](Object& o, Args a) { return Variant(Self<U>(o).GetRole(a[0].AsI2())); });
    m.Operation(u"Reload", kBoolean, {}, [](Object& o, Args) { return Variant(Self<U>(o).Reload()); });
    all.push_back(std::move(b));
  }
  {  // CDirAccess
    using R = cls::CDirAccess;
    auto b = Start<R>(u"CDirAccess", ClassId::CDirAccess);
    Builder m(b);
    m.Field(u"Accesses", &R::Accesses);
    m.Field(u"SubDirInherit", &R::SubDirInherit);
    m.Field(u"DirRemove", &R::DirRemove);
    m.Field(u"DirCreate", &R::DirCreate);
    m.Field(u"DirList", &R::DirList);
    m.Field(u"FilesExecute", &R::FilesExecute);
    m.Field(u"FilesDelete", &R::FilesDelete);
    m.Field(u"FilesAppend", &R::FilesAppend);
    m.Field(u"FilesWrite", &R::FilesWrite);
    m.Field(u"FilesRead", &R::FilesRead);
    m.Field(u"Directory", &R::Directory);
    all.push_back(std::move(b));
  }
  {  // DirAccess
    using C = cls::DirAccess;
    auto b = Start<C>(u"DirAccess", ClassId::DirAccess);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CDirAccess),
                {Param(u"Directory", kString), Optional(u"FilesRead", kBoolean, true),
                 Optional(u"FilesWrite", kBoolean, false), Optional(u"FilesAppend", kBoolean, false),
                 Optional(u"FilesDelete", kBoolean, false), Optional(u"FilesExecute", kBoolean, false),
                 Optional(u"DirList", kBoolean, true), Optional(u"DirCreate", kBoolean, false),
                 Optional(u"DirRemove", kBoolean, false), Optional(u"SubDirInherit", kBoolean, true), Key(false)},
                [](Object& o, Args a) {
                  return Variant(Self<C>(o).Add(a[0].AsString(), a[1].AsBool(), a[2].AsBool(), a[3].AsBool(),
                                                a[4].AsBool(), a[5].AsBool(), a[6].AsBool(), a[7].AsBool(),
                                                a[8].AsBool(), a[9].AsBool(), a[10].AsString()));
                });
    SharedCollectionMembers<C, cls::CDirAccess>(m, ClassId::CDirAccess);
    all.push_back(std::move(b));
  }
  {  // CFile
    using R = cls::CFile;
    auto b = Start<R>(u"CFile", ClassId::CFile);
    Builder m(b);
    m.Field(u"LastAccessTime", &R::LastAccessTime);
    m.Field(u"CreationTime", &R::CreationTime);
    m.Field(u"LastWriteTime", &R::LastWriteTime);
    m.Field(u"FileLength", &R::FileLength);
    m.Field(u"FileName", &R::FileName, true);
    all.push_back(std::move(b));
  }
  {  // CDir
    using R = cls::CDir;
    auto b = Start<R>(u"CDir", ClassId::CDir);
    Builder m(b);
    m.Field(u"CreationTime", &R::CreationTime);
    m.Field(u"DirName", &R::DirName, true);
    all.push_back(std::move(b));
  }
  {  // Explorer
    using E = cls::Explorer;
    auto b = Start<E>(u"Explorer", ClassId::Explorer);
    Builder m(b);
    m.Field(u"AdminPassword", &E::AdminPassword);
    m.Field(u"AdminName", &E::AdminName);
    m.ReadOnly(u"ErrorMsg", &E::ErrorMsg);
    m.ObjectProperty(u"File", &E::FileProperty, true);
    m.ObjectProperty(u"Directory", &E::DirectoryProperty, true);
    m.Field(u"CurrentDir", &E::CurrentDir);
    m.Operation(u"List", kBoolean, {Optional(u"FileSpec", kString, String(u"*.*"))},
                [](Object& o, Args a) { return Variant(Self<E>(o).List(a[0].AsString())); });
    m.Operation(u"CreateDir", kVoid, {Param(u"Path", kString)}, [](Object& o, Args a) {
      Self<E>(o).CreateDir(a[0].AsString());
      return Variant();
    });
    all.push_back(std::move(b));
  }
  {  // Directory
    using C = cls::Directory;
    auto b = Start<C>(u"Directory", ClassId::Directory);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CDir), {Param(u"DirName", kString), Param(u"CreationTime", kDate), Key(false)},
                [](Object& o, Args a) { return Variant(Self<C>(o).Add(a[0].AsString(), a[1].AsDate(), a[2].AsString())); });
    SharedCollectionMembers<C, cls::CDir>(m, ClassId::CDir);
    all.push_back(std::move(b));
  }
  {  // File
    using C = cls::File;
    auto b = Start<C>(u"File", ClassId::File);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CFile),
                {Param(u"FileName", kString), Param(u"FileLength", kLong), Param(u"LastWriteTime", kDate),
                 Param(u"CreationTime", kDate), Param(u"LastAccessTime", kDate), Key(false)},
                [](Object& o, Args a) {
                  return Variant(Self<C>(o).Add(a[0].AsString(), a[1].AsI4(), a[2].AsDate(), a[3].AsDate(),
                                                a[4].AsDate(), a[5].AsString()));
                });
    SharedCollectionMembers<C, cls::CFile>(m, ClassId::CFile);
    all.push_back(std::move(b));
  }
  {  // CAdmin
    using R = cls::CAdmin;
    auto b = Start<R>(u"CAdmin", ClassId::CAdmin);
    Builder m(b);
    m.Field(u"RootDir", &R::RootDir);
    m.Field(u"DomainID", &R::DomainID);
    m.Field(u"AdminPassword", &R::AdminPassword);
    m.Field(u"AdminName", &R::AdminName, true);
    all.push_back(std::move(b));
  }
  {  // Admin
    using C = cls::Admin;
    auto b = Start<C>(u"Admin", ClassId::Admin);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CAdmin),
                {Param(u"AdminName", kString), Param(u"AdminPassword", kString), Param(u"DomainID", kInteger),
                 Param(u"RootDir", kString), Key(false)},
                [](Object& o, Args a) {
                  return Variant(
                      Self<C>(o).Add(a[0].AsString(), a[1].AsString(), a[2].AsI2(), a[3].AsString(), a[4].AsString()));
                });
    SharedCollectionMembers<C, cls::CAdmin>(m, ClassId::CAdmin);
    all.push_back(std::move(b));
  }
  {  // AdminOfAdmin
    using A = cls::AdminOfAdmin;
    auto b = Start<A>(u"AdminOfAdmin", ClassId::AdminOfAdmin);
    Builder m(b);
    m.ObjectProperty(u"PublicDir", &A::PublicDirProperty, true);
    m.ReadOnly(u"ErrorMsg", &A::ErrorMsg);
    m.Field(u"Password", &A::Password);
    m.Field(u"Administrator", &A::Administrator);
    m.ObjectProperty(u"Admin", &A::AdminProperty, true);
    m.Operation(u"GetAdminList", kBoolean, {}, [](Object& o, Args) { return Variant(Self<A>(o).GetAdminList()); });
    m.Operation(u"GetPublicDir", kBoolean, {}, [](Object& o, Args) { return Variant(Self<A>(o).GetPublicDir()); });
    m.Operation(u"DelAdmin", kBoolean, {Param(u"AdminName", kString)},
                [](Object& o, Args a) { return Variant(Self<A>(o).DelAdmin(a[0].AsString())); });
    m.Operation(u"AddAdmin", kBoolean,
                {Param(u"AdminName", kString), Param(u"AdminPassword", kString), Param(u"DomainID", kInteger),
                 Param(u"RootDir", kString)},
                [](Object& o, Args a) {
                  return Variant(Self<A>(o).AddAdmin(a[0].AsString(), a[1].AsString(), a[2].AsI2(), a[3].AsString()));
                });
    m.Operation(u"DelPublicDir", kBoolean, {Param(u"SDir", kString)},
                [](Object& o, Args a) { return Variant(Self<A>(o).DelPublicDir(a[0].AsString())); });
    m.Operation(u"AddPublicDir", kBoolean, {Param(u"SDir", kString)},
                [](Object& o, Args a) { return Variant(Self<A>(o).AddPublicDir(a[0].AsString())); });
    m.Operation(u"ChangeSystemPassword", kBoolean,
                {Param(u"OldAdministrator", kString), Param(u"OldPassword", kString),
                 Param(u"NewAdministrator", kString), Param(u"NewPassword", kString)},
                [](Object& o, Args a) {
                  return Variant(Self<A>(o).ChangeSystemPassword(a[0].AsString(), a[1].AsString(), a[2].AsString(),
                                                                 a[3].AsString()));
                });
    all.push_back(std::move(b));
  }
  {  // CPublicDir
    using R = cls::CPublicDir;
    auto b = Start<R>(u"CPublicDir", ClassId::CPublicDir);
    Builder m(b);
    m.Field(u"Directory", &R::Directory, true);
    all.push_back(std::move(b));
  }
  {  // PublicDir
    using C = cls::PublicDir;
    auto b = Start<C>(u"PublicDir", ClassId::PublicDir);
    Builder m(b);
    m.Operation(u"Add", ObjectOf(ClassId::CPublicDir), {Param(u"Directory", kString), Key(false)},
                [](Object& o, Args a) { return Variant(Self<C>(o).Add(a[0].AsString(), a[1].AsString())); });
    SharedCollectionMembers<C, cls::CPublicDir>(m, ClassId::CPublicDir);
    all.push_back(std::move(b));
  }
  return all;
}

}  // namespace

const std::vector<ClassBinding>& Bindings() {
  static const std::vector<ClassBinding> bindings = Build();
  return bindings;
}

}  // namespace vantrel::automation::bindings

namespace vantrel::automation {

const std::vector<ClassInfo>& Catalogue() {
  static const std::vector<ClassInfo> catalogue = [] {
    std::vector<ClassInfo> out;
    for (const bindings::ClassBinding& b : bindings::Bindings()) out.push_back(b.info);
    return out;
  }();
  return catalogue;
}

}  // namespace vantrel::automation
