#pragma once
// Explorer: lists a folder's subfolders and files; creates folders.
#include "classes/collections.hpp"
#include "classes/owned_collection.hpp"

namespace vantrel::classes {

class Explorer final : public automation::Object {
 public:
  ClassId Class() const noexcept override { return ClassId::Explorer; }

  String AdminPassword;
  String AdminName;
  String ErrorMsg;  // read-only to callers
  String CurrentDir;

  // Properties File and Directory (Get/Set; created on the first Get).
  OwnedCollection<File> FileProperty;
  OwnedCollection<Directory> DirectoryProperty;

  // Operations (explorer.cpp).
  bool List(const String& FileSpec = u"*.*");
  void CreateDir(const String& Path);
};

}  // namespace vantrel::classes
