#pragma once
// The identities registered for the classes: the same CLSIDs and type library
// GUID as the Windows build's type library, so both platforms name a class alike.
#include <string_view>

namespace vantrel::automation::runtime {

inline constexpr std::string_view kTypeLibId = "{6919B66F-FFE4-4B9D-AB17-570AB9A7296A}";

// CLSIDs in type-library order (index == ClassId value).
inline constexpr std::string_view kClassIds[] = {
    "{211F3E11-8185-4E11-8FC2-D421E9A57423}",  // Global
    "{3B3860B1-2A2B-45AA-B2E1-C8763AC4EE8B}",  // CIniFile
    "{38559C66-FD79-4D84-A77C-3BF352646ED6}",  // Domains
    "{37F283C9-87D2-4568-8678-F49CA4F0544E}",  // CDomain
    "{7F6099BC-B391-4F46-BD41-290B43F8B97D}",  // Domain
    "{3B45BEB7-B3F9-4419-AC52-D78D4C75DDB2}",  // CUserList
    "{286B4379-2B4E-445F-B1BE-B0E8D17F0A61}",  // UserList
    "{5FFBB322-34D9-4F54-AACE-A5EBF2841036}",  // User
    "{43C04A3F-974F-4785-A325-84B255339D85}",  // CDirAccess
    "{59EB6EA4-3A2C-4519-A89D-7C1ACC3C11A5}",  // DirAccess
    "{1C3377F4-4EA7-415F-BB34-E59D53DA263A}",  // CFile
    "{85BF288B-BDF5-4BFD-B77D-1B35C023B7A4}",  // CDir
    "{805CA9A8-F209-4D9D-9B0F-993DCF623EC3}",  // Explorer
    "{347D971B-EECA-4C0D-9C83-BE1D47AFBC31}",  // Directory
    "{E5407A2B-63F4-447D-A3CA-4137BC2591FB}",  // File
    "{C0C34C31-E341-4979-B367-9A9A213AA05B}",  // CAdmin
    "{2CFBB6C9-B557-4078-A758-A3C9D396461E}",  // Admin
    "{0B6DA628-49F9-4AB6-A924-7F4E93419FE6}",  // AdminOfAdmin
    "{16DA32BD-AAA8-4B91-AEE8-1E1CE170F8F8}",  // CPublicDir
    "{B952F497-5CAF-4F43-9654-A3AA138CD13B}",  // PublicDir
};

}  // namespace vantrel::automation::runtime
