#include "runtime/dll_call.h"

// The 32-bit build: the stdcall convention, where a callee that removes the wrong
// number of argument bytes shows up as a moved stack pointer.

// SubvaneCallStdcall(function, argc, args, stackDelta): aligns the stack so that the
// callee starts on a 16-byte boundary, saves ESP, pushes the arguments right to left,
// calls, and stores ESP-after minus ESP-saved. EDI survives the call because every
// Windows convention keeps it.
asm(R"(
    .text
    .globl _SubvaneCallStdcall
    .def _SubvaneCallStdcall; .scl 2; .type 32; .endef
_SubvaneCallStdcall:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl 12(%ebp), %ecx
    movl 16(%ebp), %esi
    leal 0(,%ecx,4), %edx
    movl %esp, %eax
    subl %edx, %eax
    andl $-16, %eax
    addl %edx, %eax
    movl %eax, %esp
    movl %esp, %edi
1:  testl %ecx, %ecx
    jle 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl %esp, %ecx
    subl %edi, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %ebx
    popl %edi
    popl %esi
    popl %ebp
    ret
)");

extern "C" intptr_t SubvaneCallStdcall(void* function, int32_t argc, const intptr_t* args,
                                       int32_t* stackDelta);

namespace rt {

intptr_t CallWithStackCheck(void* function, int32_t argc, const intptr_t* args,
                            int32_t* stackDelta) {
  return SubvaneCallStdcall(function, argc < 0 ? 0 : argc, args, stackDelta);
}

}  // namespace rt
