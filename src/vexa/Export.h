/// \file
/// What a shared libvexa exports: the declarations of the public headers. Each public header
/// wraps its declarations in VEXA_PUBLIC_BEGIN / VEXA_PUBLIC_END (free functions and
/// variables) and marks its classes VEXA_API: a class takes its visibility from its first
/// declaration, which may be a forward declaration in an internal header, and only the
/// attribute on the definition overrides that. Everything else is built with hidden
/// visibility, so the library exports its public interface and nothing more.
#pragma once

#if defined(__GNUC__)
#define VEXA_PUBLIC_BEGIN _Pragma("GCC visibility push(default)")
#define VEXA_PUBLIC_END _Pragma("GCC visibility pop")
#define VEXA_API __attribute__((visibility("default")))
#else
#define VEXA_API
#define VEXA_PUBLIC_BEGIN
#define VEXA_PUBLIC_END
#endif
