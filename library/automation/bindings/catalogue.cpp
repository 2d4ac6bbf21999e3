// Which C++ code serves each member of the 20 classes. The members themselves
// (names, slots, kinds, types, parameters, defaults, dispids) come from
// Vantrel.idl through the generated DeclaredClasses(); this file only binds.
// Bindings() refuses to start when a declared member has no code, code names
// a member the IDL does not declare, or a C++ signature disagrees with the
// declared types.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "automation/bindings/class_binding.hpp"
#include "automation/bindings/invoke.hpp"
#include "automation/enumerator.hpp"
#include "automation/text.hpp"
#include "classes/admin_of_admin.hpp"
#include "classes/collections.hpp"
#include "classes/domains.hpp"
#include "classes/explorer.hpp"
#include "classes/global.hpp"
#include "classes/user.hpp"
#include "model/names.hpp"

namespace vantrel::automation::bindings {
namespace {

namespace cls = vantrel::classes;
namespace idl = vantrel::model;
using Args = std::span<const Variant>;

template <class V>
struct IsRef : std::false_type {};
template <class T>
struct IsRef<Ref<T>> : std::true_type {};

// The declared type kind that a C++ parameter or result type stands for.
template <class V>
constexpr TypeKind KindOf() {
  using D = std::remove_cvref_t<V>;
  if constexpr (std::is_void_v<D>) return TypeKind::Void;
  else if constexpr (std::is_same_v<D, std::int16_t>) return TypeKind::Integer;
  else if constexpr (std::is_same_v<D, std::int32_t>) return TypeKind::Long;
  else if constexpr (std::is_same_v<D, bool>) return TypeKind::Boolean;
  else if constexpr (std::is_same_v<D, Date>) return TypeKind::Date;
  else if constexpr (std::is_same_v<D, String>) return TypeKind::String;
  else if constexpr (std::is_same_v<D, Variant>) return TypeKind::Variant;
  else if constexpr (std::is_same_v<D, Ref<Enumerator>>) return TypeKind::Enumerator;
  else {
    static_assert(IsRef<D>::value, "no automation type for this C++ type");
    return TypeKind::Object;
  }
}

// A coerced argument (Invoke gives it the declared type) as the C++ parameter.
template <class V>
decltype(auto) Value(const Variant& v) {
  using D = std::remove_cvref_t<V>;
  if constexpr (std::is_same_v<D, std::int16_t>) return v.AsI2();
  else if constexpr (std::is_same_v<D, std::int32_t>) return v.AsI4();
  else if constexpr (std::is_same_v<D, bool>) return v.AsBool();
  else if constexpr (std::is_same_v<D, Date>) return v.AsDate();
  else if constexpr (std::is_same_v<D, Variant>) return (v);
  else return v.AsString();
}

// A member function's class, result and parameters.
template <class F>
struct Signature;
template <class R, class T, class... P>
struct Signature<R (T::*)(P...)> {
  using Self = T;
  using Result = R;
  using Params = std::tuple<P...>;
};
template <class R, class T, class... P>
struct Signature<R (T::*)(P...) const> : Signature<R (T::*)(P...)> {};
template <class R, class T, class... P>
struct Signature<R (T::*)(P...) noexcept> : Signature<R (T::*)(P...)> {};
template <class R, class T, class... P>
struct Signature<R (T::*)(P...) const noexcept> : Signature<R (T::*)(P...)> {};

template <class F, std::size_t... I>
Variant Apply(F fn, Object& o, Args a, std::index_sequence<I...>) {
  using S = Signature<F>;
  auto& self = static_cast<typename S::Self&>(o);
  if constexpr (std::is_void_v<typename S::Result>) {
    (self.*fn)(Value<std::tuple_element_t<I, typename S::Params>>(a[I])...);
    return Variant();
  } else {
    return Variant((self.*fn)(Value<std::tuple_element_t<I, typename S::Params>>(a[I])...));
  }
}

[[noreturn]] void Refuse(const ClassInfo& info, std::u16string_view member, const std::string& why) {
  throw std::logic_error("bindings of " + ToUtf8(info.name) + "." + ToUtf8(member) + ": " + why);
}

class Binder {
 public:
  explicit Binder(ClassBinding& binding) : b_(binding) {}

  // A property stored in a data member; Let (when declared) stores the value.
  template <class T, class V>
  void Property(std::u16string_view name, V T::*member) {
    Bind(name, KindOf<V>(), {}, [member](Object& o, Args) { return Variant(static_cast<T&>(o).*member); },
         [member](Object& o, const Variant& v) { static_cast<T&>(o).*member = Value<V>(v); });
  }

  // A property whose Let runs the class's own rule.
  template <class T, class V>
  void Property(std::u16string_view name, const V& (T::*getter)() const noexcept, void (T::*setter)(const V&)) {
    Bind(name, KindOf<V>(), {}, [getter](Object& o, Args) { return Variant((static_cast<T&>(o).*getter)()); },
         [setter](Object& o, const Variant& v) { (static_cast<T&>(o).*setter)(Value<V>(v)); });
  }

  // A manager's collection property; Set (when declared) shares the caller's collection.
  template <class T, class C>
  void Collection(std::u16string_view name, cls::OwnedCollection<C> T::*member) {
    Bind(name, TypeKind::Object, {}, [member](Object& o, Args) { return Variant((static_cast<T&>(o).*member).Get()); },
         [member](Object& o, const Variant& v) {
           (static_cast<T&>(o).*member).Set(Ref<C>(static_cast<C*>(v.AsObject().get())));
         });
  }

  // A method, or a property computed by one: arguments in declared order.
  template <class F>
  void Call(std::u16string_view name, F fn) {
    using S = Signature<F>;
    constexpr std::size_t arity = std::tuple_size_v<typename S::Params>;
    Bind(name, KindOf<typename S::Result>(), ParamKinds<typename S::Params>(std::make_index_sequence<arity>()),
         [fn](Object& o, Args a) { return Apply(fn, o, a, std::make_index_sequence<arity>()); }, nullptr);
  }

  // Item, Count, Remove and NewEnum, shared by the seven collections.
  template <class C>
  void CollectionMembers() {
    Call(u"Item", &C::Item);
    Call(u"Count", &C::Count);
    Call(u"Remove", &C::Remove);
    Call(u"NewEnum", &C::NewEnum);
  }

 private:
  template <class Tuple, std::size_t... I>
  static std::vector<TypeKind> ParamKinds(std::index_sequence<I...>) {
    return {KindOf<std::tuple_element_t<I, Tuple>>()...};
  }

  void Bind(std::u16string_view name, TypeKind type, std::vector<TypeKind> params,
            std::function<Variant(Object&, Args)> get, std::function<void(Object&, const Variant&)> put) {
    const ClassInfo& info = b_.info;
    const auto slot = FindMember(info, name);
    if (!slot || info.members[*slot].name != name) Refuse(info, name, "Vantrel.idl declares no such member");
    const MemberInfo& m = info.members[*slot];
    if (b_.code[*slot].get) Refuse(info, name, "bound twice");
    if (m.type.kind != type) Refuse(info, name, "the C++ type is not the declared one");
    const bool settable = m.kind == MemberKind::Field || m.kind == MemberKind::ObjectGetSet;
    if (settable && !put) Refuse(info, name, "declared settable, bound to a function");
    std::vector<TypeKind> declared;
    for (const ParamInfo& p : m.params) declared.push_back(p.type.kind);
    if (declared != params) Refuse(info, name, "the C++ parameters are not the declared ones");
    b_.code[*slot] = {std::move(get), settable ? std::move(put) : nullptr};
  }

  ClassBinding& b_;
};

template <class T>
Binder For(std::vector<ClassBinding>& all, ClassId id) {
  ClassBinding& b = all.at(static_cast<std::size_t>(id));
  b.info.create = [] { return Ref<Object>(MakeRef<T>()); };
  return Binder(b);
}

void BindAll(std::vector<ClassBinding>& all) {
  {
    using G = cls::Global;
    namespace n = idl::Global;
    Binder m = For<G>(all, ClassId::Global);
    m.Property(n::ErrorMsg, &G::ErrorMsg);
    m.Property(n::ServUPath, &G::ServUPath);
    m.Call(n::Version, &G::Version);
    m.Call(n::About, &G::About);
  }
  For<cls::CIniFileObject>(all, ClassId::CIniFile);
  {
    using D = cls::Domains;
    namespace n = idl::Domains;
    Binder m = For<D>(all, ClassId::Domains);
    m.Property(n::AdminPassword, &D::AdminPassword);
    m.Property(n::AdminName, &D::AdminName);
    m.Property(n::ErrorMsg, &D::ErrorMsg);
    m.Collection(n::Domain, &D::DomainProperty);
    m.Property(n::ServUPath, &D::ServUPath);
    m.Call(n::GetDomain, &D::GetDomain);
    m.Call(n::AddDomain, &D::AddDomain);
    m.Call(n::DelDomain, &D::DelDomain);
    m.Call(n::ModifyDomain, &D::ModifyDomain);
    m.Call(n::Reload, &D::Reload);
  }
  {
    using R = cls::CDomain;
    namespace n = idl::CDomain;
    Binder m = For<R>(all, ClassId::CDomain);
    m.Property(n::port, &R::port);
    m.Property(n::HostName, &R::HostName);
    m.Property(n::IP, &R::IP, &R::SetIP);
    m.Property(n::ID, &R::ID);
  }
  {
    Binder m = For<cls::Domain>(all, ClassId::Domain);
    m.Call(idl::Domain::Add, &cls::Domain::Add);
    m.CollectionMembers<cls::Domain>();
  }
  {
    using R = cls::CUserList;
    namespace n = idl::CUserList;
    Binder m = For<R>(all, ClassId::CUserList);
    m.Property(n::Expire, &R::Expire);
    m.Property(n::ExpireDate, &R::ExpireDate);
    m.Property(n::Disable, &R::Disable);
    m.Property(n::UserName, &R::UserName);
    m.Property(n::DomainID, &R::DomainID);
  }
  {
    Binder m = For<cls::UserList>(all, ClassId::UserList);
    m.Call(idl::UserList::Add, &cls::UserList::Add);
    m.CollectionMembers<cls::UserList>();
  }
  {
    using U = cls::User;
    namespace n = idl::User;
    Binder m = For<U>(all, ClassId::User);
    m.Property(n::AdminName, &U::AdminName);
    m.Property(n::AdminPassword, &U::AdminPassword);
    m.Property(n::MaxNrUsers, &U::MaxNrUsers);
    m.Property(n::SessionTimeOut, &U::SessionTimeOut);
    m.Property(n::SpeedLimitDown, &U::SpeedLimitDown);
    m.Property(n::SpeedLimitUp, &U::SpeedLimitUp);
    m.Property(n::MaxUsersLoginPerIP, &U::MaxUsersLoginPerIP);
    m.Property(n::DiskQuotaSize, &U::DiskQuotaSize);
    m.Property(n::EnableDiskQuota, &U::EnableDiskQuota);
    m.Property(n::ChangePassword, &U::ChangePassword);
    m.Property(n::RelPaths, &U::RelPaths);
    m.Property(n::LoginMesFile, &U::LoginMesFile);
    m.Property(n::ExpireDate, &U::ExpireDate);
    m.Property(n::Expire, &U::Expire);
    m.Property(n::Disable, &U::Disable);
    m.Property(n::TimeOut, &U::TimeOut);
    m.Property(n::HomeDir, &U::HomeDir);
    m.Property(n::UserName, &U::UserName);
    m.Property(n::Password, &U::Password, &U::SetPassword);
    m.Collection(n::DirAccess, &U::DirAccessProperty);
    m.Property(n::ErrorMsg, &U::ErrorMsg);
    m.Property(n::ServUPath, &U::ServUPath);
    m.Collection(n::UserList, &U::UserListProperty);
    m.Call(n::GetUserList, &U::GetUserList);
    m.Call(n::GetUser, &U::GetUser);
    m.Call(n::ModifyUser, &U::ModifyUser);
    m.Call(n::DelUser, &U::DelUser);
    m.Call(n::AddUser, &U::AddUser);
    m.Call(n::GetRole, &U::GetRole);
    m.Call(n::Reload, &U::Reload);
  }
  {
    using R = cls::CDirAccess;
    namespace n = idl::CDirAccess;
    Binder m = For<R>(all, ClassId::CDirAccess);
    m.Property(n::Accesses, &R::Accesses);
    m.Property(n::SubDirInherit, &R::SubDirInherit);
    m.Property(n::DirRemove, &R::DirRemove);
    m.Property(n::DirCreate, &R::DirCreate);
    m.Property(n::DirList, &R::DirList);
    m.Property(n::FilesExecute, &R::FilesExecute);
    m.Property(n::FilesDelete, &R::FilesDelete);
    m.Property(n::FilesAppend, &R::FilesAppend);
    m.Property(n::FilesWrite, &R::FilesWrite);
    m.Property(n::FilesRead, &R::FilesRead);
    m.Property(n::Directory, &R::Directory);
  }
  {
    Binder m = For<cls::DirAccess>(all, ClassId::DirAccess);
    m.Call(idl::DirAccess::Add, &cls::DirAccess::Add);
    m.CollectionMembers<cls::DirAccess>();
  }
  {
    using R = cls::CFile;
    namespace n = idl::CFile;
    Binder m = For<R>(all, ClassId::CFile);
    m.Property(n::LastAccessTime, &R::LastAccessTime);
    m.Property(n::CreationTime, &R::CreationTime);
    m.Property(n::LastWriteTime, &R::LastWriteTime);
    m.Property(n::FileLength, &R::FileLength);
    m.Property(n::FileName, &R::FileName);
  }
  {
    Binder m = For<cls::CDir>(all, ClassId::CDir);
    m.Property(idl::CDir::CreationTime, &cls::CDir::CreationTime);
    m.Property(idl::CDir::DirName, &cls::CDir::DirName);
  }
  {
    using E = cls::Explorer;
    namespace n = idl::Explorer;
    Binder m = For<E>(all, ClassId::Explorer);
    m.Property(n::AdminPassword, &E::AdminPassword);
    m.Property(n::AdminName, &E::AdminName);
    m.Property(n::ErrorMsg, &E::ErrorMsg);
    m.Collection(n::File, &E::FileProperty);
    m.Collection(n::Directory, &E::DirectoryProperty);
    m.Property(n::CurrentDir, &E::CurrentDir);
    m.Call(n::List, &E::List);
    m.Call(n::CreateDir, &E::CreateDir);
  }
  {
    Binder m = For<cls::Directory>(all, ClassId::Directory);
    m.Call(idl::Directory::Add, &cls::Directory::Add);
    m.CollectionMembers<cls::Directory>();
  }
  {
    Binder m = For<cls::File>(all, ClassId::File);
    m.Call(idl::File::Add, &cls::File::Add);
    m.CollectionMembers<cls::File>();
  }
  {
    using R = cls::CAdmin;
    namespace n = idl::CAdmin;
    Binder m = For<R>(all, ClassId::CAdmin);
    m.Property(n::RootDir, &R::RootDir);
    m.Property(n::DomainID, &R::DomainID);
    m.Property(n::AdminPassword, &R::AdminPassword);
    m.Property(n::AdminName, &R::AdminName);
  }
  {
    Binder m = For<cls::Admin>(all, ClassId::Admin);
    m.Call(idl::Admin::Add, &cls::Admin::Add);
    m.CollectionMembers<cls::Admin>();
  }
  {
    using A = cls::AdminOfAdmin;
    namespace n = idl::AdminOfAdmin;
    Binder m = For<A>(all, ClassId::AdminOfAdmin);
    m.Collection(n::PublicDir, &A::PublicDirProperty);
    m.Property(n::ErrorMsg, &A::ErrorMsg);
    m.Property(n::Password, &A::Password);
    m.Property(n::Administrator, &A::Administrator);
    m.Collection(n::Admin, &A::AdminProperty);
    m.Call(n::GetAdminList, &A::GetAdminList);
    m.Call(n::GetPublicDir, &A::GetPublicDir);
    m.Call(n::DelAdmin, &A::DelAdmin);
    m.Call(n::AddAdmin, &A::AddAdmin);
    m.Call(n::DelPublicDir, &A::DelPublicDir);
    m.Call(n::AddPublicDir, &A::AddPublicDir);
    m.Call(n::ChangeSystemPassword, &A::ChangeSystemPassword);
  }
  {
    Binder m = For<cls::CPublicDir>(all, ClassId::CPublicDir);
    m.Property(idl::CPublicDir::Directory, &cls::CPublicDir::Directory);
  }
  {
    Binder m = For<cls::PublicDir>(all, ClassId::PublicDir);
    m.Call(idl::PublicDir::Add, &cls::PublicDir::Add);
    m.CollectionMembers<cls::PublicDir>();
  }
}

std::vector<ClassBinding> Build() {
  std::vector<ClassBinding> all;
  for (ClassInfo& info : DeclaredClasses()) {
    ClassBinding& b = all.emplace_back();
    b.code.resize(info.members.size());
    b.info = std::move(info);
  }
  BindAll(all);
  for (const ClassBinding& b : all) {
    if (!b.info.create) Refuse(b.info, u"", "no C++ class makes its objects");
    for (std::size_t i = 0; i < b.code.size(); ++i)
      if (!b.code[i].get) Refuse(b.info, b.info.members[i].name, "declared in Vantrel.idl, bound to no C++ code");
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
