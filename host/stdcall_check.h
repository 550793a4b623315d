// On 32-bit Windows the player calls every method of the plug-in with
// stdcall: the object and the arguments pushed, the callee popping them all.
// A method built with another convention may still return the right value
// (one that ignores its object and arguments) while leaving the stack off by
// a few bytes, which the player would not survive for long. This calls one
// slot exactly that way and measures where the callee left the stack.
#pragma once

#include <cstdint>

namespace standin {

#if defined(__i386__)
struct SlotCall {
  std::uint32_t result = 0;
  long stackDrift = 0;  // bytes: 0 when the callee popped exactly what was pushed
};

// Calls slot `slot` of `object` with `count` 32-bit arguments, pushed from
// the last to the first, then the object.
inline SlotCall CallSlotAsPlayer(void* object, int slot, const std::uint32_t* arguments, int count) {
  void* method = (*static_cast<void***>(object))[slot];
  SlotCall call;
  std::uintptr_t argumentsThenDrift = reinterpret_cast<std::uintptr_t>(arguments);
  std::uintptr_t remaining = static_cast<std::uintptr_t>(count);
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n"
      "1:\n\t"
      "pushl -4(%%edx,%%ecx,4)\n\t"
      "decl %%ecx\n\t"
      "jnz 1b\n"
      "2:\n\t"
      "pushl %%ebx\n\t"
      "call *%%edi\n\t"
      "movl %%esp, %%edx\n\t"
      "subl %%esi, %%edx\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(call.result), "+d"(argumentsThenDrift), "+c"(remaining)
      : "b"(object), "D"(method)
      : "esi", "memory", "cc");
  call.stackDrift = static_cast<long>(argumentsThenDrift);
  return call;
}
#endif

}  // namespace standin
