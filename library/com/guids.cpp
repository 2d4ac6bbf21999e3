// Defines the GUIDs declared by the widl-generated header (LIBID, IIDs, CLSIDs).
#include <initguid.h>

#include "Vantrel_h.h"
