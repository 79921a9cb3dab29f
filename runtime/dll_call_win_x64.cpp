#include "runtime/dll_call.h"

// The 64-bit build: Windows has one convention on x64. The first four words go in RCX,
// RDX, R8 and R9, the rest on the stack above 32 bytes of room the callee may use, the
// stack 16-byte aligned at the call, and the caller removes everything afterwards. A
// declared command with the wrong number of arguments cannot move the stack here, so
// there is nothing to measure.
//
// SubvaneCallX64(function, argc, args): makes room for max(argc, 4) words rounded up to
// 16 bytes, copies the words past the fourth to their slots, loads the four registers
// (R8 last: it holds `args` until then), calls, and restores RSP from RBP.
asm(R"(
    .text
    .globl SubvaneCallX64
    .def SubvaneCallX64; .scl 2; .type 32; .endef
    .seh_proc SubvaneCallX64
SubvaneCallX64:
    pushq %rbp
    .seh_pushreg %rbp
    movq %rsp, %rbp
    .seh_setframe %rbp, 0
    .seh_endprologue
    movq %rcx, %r10
    movslq %edx, %r11
    movq %r11, %rax
    cmpq $4, %rax
    jge 1f
    movq $4, %rax
1:  shlq $3, %rax
    addq $15, %rax
    andq $-16, %rax
    subq %rax, %rsp
    movq $4, %rax
2:  cmpq %r11, %rax
    jge 3f
    movq (%r8,%rax,8), %rdx
    movq %rdx, (%rsp,%rax,8)
    incq %rax
    jmp 2b
3:  cmpq $4, %r11
    jl 4f
    movq 24(%r8), %r9
4:  cmpq $2, %r11
    jl 5f
    movq 8(%r8), %rdx
5:  cmpq $1, %r11
    jl 6f
    movq (%r8), %rcx
6:  cmpq $3, %r11
    jl 7f
    movq 16(%r8), %r8
7:  call *%r10
    movq %rbp, %rsp
    popq %rbp
    ret
    .seh_endproc
)");

extern "C" intptr_t SubvaneCallX64(void* function, int32_t argc, const intptr_t* args);

namespace rt {

intptr_t CallWithStackCheck(void* function, int32_t argc, const intptr_t* args,
                            int32_t* stackDelta) {
  *stackDelta = 0;
  return SubvaneCallX64(function, argc < 0 ? 0 : argc, args);
}

}  // namespace rt
