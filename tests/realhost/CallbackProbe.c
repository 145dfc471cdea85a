/* A probe for the real-host test: calls a procedure with one 4-byte argument and tells how many
 * bytes the procedure itself took off the stack, 4 for stdcall and 0 for cdecl. Built for 32-bit
 * Windows only; Tovrel.h states the calling convention this finds for CreateCallback. */
__declspec(dllexport) int __stdcall ProbeCallbackPop(void* procedure) {
  int popped;
  __asm__ volatile(
      "movl %%esp, %%ebx\n\t"
      "pushl $0\n\t"
      "call *%1\n\t"
      "movl %%esp, %0\n\t"
      "subl %%ebx, %0\n\t"
      "addl $4, %0\n\t"
      "movl %%ebx, %%esp\n\t"
      : "=&r"(popped)
      : "r"(procedure)
      : "eax", "ebx", "ecx", "edx", "memory", "cc");
  return popped;
}
