/* C interface of libvantrel.so: create the library's objects by ProgID, call
 * their members by name, and release them. Strings cross as UTF-8; every
 * string and object the library hands out belongs to the caller until it
 * calls vantrel_variant_clear / vantrel_release / vantrel_error_clear. */
#ifndef VANTREL_H
#define VANTREL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vantrel_object vantrel_object;

enum vantrel_type {
  VANTREL_EMPTY = 0,
  VANTREL_MISSING = 1, /* an optional argument left out */
  VANTREL_I2 = 2,      /* Integer: int_value */
  VANTREL_I4 = 3,      /* Long: int_value */
  VANTREL_R8 = 4,      /* Double: real_value */
  VANTREL_DATE = 5,    /* Date: real_value, days since 1899-12-30 */
  VANTREL_BOOL = 6,    /* Boolean: int_value 0 or 1 */
  VANTREL_STRING = 7,  /* string_value, UTF-8, NUL-terminated; out: int_value holds its bytes */
  VANTREL_OBJECT = 8,  /* object_value; NULL is Nothing */
  VANTREL_STRING_SIZED = 9 /* in: string_value, UTF-8, int_value bytes (NUL may be among them) */
};

typedef struct vantrel_variant {
  int32_t type;
  int32_t int_value;
  double real_value;
  char* string_value;
  vantrel_object* object_value;
} vantrel_variant;

enum vantrel_flags {
  VANTREL_METHOD = 1,
  VANTREL_PROPERTYGET = 2,
  VANTREL_PROPERTYPUT = 4,
  VANTREL_PROPERTYPUTREF = 8
};

typedef struct vantrel_error {
  int32_t number;    /* 0 when the call succeeded */
  char* description; /* UTF-8, owned by the caller after a failure */
} vantrel_error;

enum vantrel_member_kind {
  VANTREL_NO_MEMBER = 0,
  VANTREL_FIELD = 1,
  VANTREL_READONLY_PROPERTY = 2,
  VANTREL_OBJECT_GET = 3,
  VANTREL_OBJECT_GET_SET = 4,
  VANTREL_OPERATION = 5
};

/* Each call returns 0 on success, else the automation error number (also in
 * *error when error is not NULL). */
int32_t vantrel_create(const char* progid, vantrel_object** out, vantrel_error* error);
int32_t vantrel_invoke(vantrel_object* object, const char* name, int32_t flags, const vantrel_variant* args,
                       int32_t arg_count, vantrel_variant* result, vantrel_error* error);
void vantrel_addref(vantrel_object* object);
void vantrel_release(vantrel_object* object);

/* Class name of an object ("Domains"; "Enumerator" for NewEnum's result). */
const char* vantrel_class_name(vantrel_object* object);

/* Member lookup (letter case ignored): its kind, its name as declared (static
 * storage) and its number of parameters. The empty name is the default member. */
int32_t vantrel_member(vantrel_object* object, const char* name, const char** declared_name, int32_t* param_count);
/* Declared types of members and parameters. */
enum vantrel_declared_type {
  VANTREL_TYPE_VOID = 0, /* an operation without result */
  VANTREL_TYPE_INTEGER = 1,
  VANTREL_TYPE_LONG = 2,
  VANTREL_TYPE_BOOLEAN = 3,
  VANTREL_TYPE_DATE = 4,
  VANTREL_TYPE_STRING = 5,
  VANTREL_TYPE_VARIANT = 6,
  VANTREL_TYPE_OBJECT = 7,
  VANTREL_TYPE_ENUMERATOR = 8
};
/* Parameter `index` (0-based) of a member (letter case ignored; "" is the
 * default member): its declared name (static storage), *type and *optional
 * (0 or 1); NULL past the last. Index -1 gives the member's own name and its
 * property or result type. */
const char* vantrel_member_param(vantrel_object* object, const char* member, int32_t index, int32_t* type,
                                 int32_t* optional);
/* Members by slot, 0-based; NULL past the last. */
const char* vantrel_member_name(vantrel_object* object, int32_t slot, int32_t* kind, int32_t* hidden);

/* Enumerators (the result of NewEnum): 1 and *item set, 0 at the end. */
int32_t vantrel_enum_next(vantrel_object* enumerator, vantrel_variant* item);
void vantrel_enum_reset(vantrel_object* enumerator);
int32_t vantrel_enum_skip(vantrel_object* enumerator, int32_t count);
vantrel_object* vantrel_enum_clone(vantrel_object* enumerator);

void vantrel_variant_clear(vantrel_variant* value);
void vantrel_error_clear(vantrel_error* error);

/* In-process server registration (registration file <root>/Registry/Classes.ini).
 * HRESULT-style results: 0 success, negative failure; DllCanUnloadNow 0 or 1. */
int32_t DllRegisterServer(void);
int32_t DllUnregisterServer(void);
int32_t DllCanUnloadNow(void);

/* The class factory of a class: DllGetClassObject(clsid text "{...}", NULL,
 * &factory) gives a static factory whose create() makes new objects. */
typedef struct vantrel_class_factory {
  const char* prog_id;
  int32_t (*create)(const struct vantrel_class_factory* self, vantrel_object** out);
} vantrel_class_factory;
int32_t DllGetClassObject(const char* clsid, const char* iid, void** factory);

#ifdef __cplusplus
}
#endif

#endif
