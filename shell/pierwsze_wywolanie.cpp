// First-call stubs, one per entry of TablicaFunkcjiHosta. A stub binds its
// entry and jumps to what the entry then holds, so the host function sees
// exactly the call the caller made: the same arguments (fixed or variable,
// in registers or on the stack), the same return address.

#define STUBY_INDEKSY                                                                              \
    "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33," \
    "34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51,52,53,54,55,56,57,58,59"

#if defined(__i386__)
#if defined(_WIN32)
#define SYMBOL(nazwa) "_" nazwa
#else
#define SYMBOL(nazwa) nazwa
#endif
// cdecl: every argument is on the stack, eax/ecx/edx are free at a call.
asm(".text\n"
    ".irp n," STUBY_INDEKSY "\n"
    ".globl " SYMBOL("PierwszeWywolanie\\n") "\n"
    SYMBOL("PierwszeWywolanie\\n") ":\n"
    "  pushl $\\n\n"
    "  call " SYMBOL("PodlaczWpisTablicy") "\n"
    "  addl $4, %esp\n"
    "  jmp *(" SYMBOL("TablicaFunkcjiHosta") " + 4 * \\n)\n"
    ".endr\n");

#elif defined(__x86_64__) && !defined(_WIN32)
// System V: arguments in rdi, rsi, rdx, rcx, r8, r9 and xmm0-7, al counts
// the vector registers of a variable call. All are saved around the binding.
asm(".text\n"
    ".irp n," STUBY_INDEKSY "\n"
    ".globl PierwszeWywolanie\\n\n"
    ".hidden PierwszeWywolanie\\n\n"
    ".type PierwszeWywolanie\\n, @function\n"
    "PierwszeWywolanie\\n:\n"
    "  pushq %rdi\n  pushq %rsi\n  pushq %rdx\n  pushq %rcx\n  pushq %r8\n  pushq %r9\n  pushq %rax\n"
    "  subq $128, %rsp\n"
    "  movdqu %xmm0, 0(%rsp)\n  movdqu %xmm1, 16(%rsp)\n  movdqu %xmm2, 32(%rsp)\n  movdqu %xmm3, 48(%rsp)\n"
    "  movdqu %xmm4, 64(%rsp)\n  movdqu %xmm5, 80(%rsp)\n  movdqu %xmm6, 96(%rsp)\n  movdqu %xmm7, 112(%rsp)\n"
    "  movl $\\n, %edi\n"
    "  call PodlaczWpisTablicy\n"
    "  movdqu 0(%rsp), %xmm0\n  movdqu 16(%rsp), %xmm1\n  movdqu 32(%rsp), %xmm2\n  movdqu 48(%rsp), %xmm3\n"
    "  movdqu 64(%rsp), %xmm4\n  movdqu 80(%rsp), %xmm5\n  movdqu 96(%rsp), %xmm6\n  movdqu 112(%rsp), %xmm7\n"
    "  addq $128, %rsp\n"
    "  popq %rax\n  popq %r9\n  popq %r8\n  popq %rcx\n  popq %rdx\n  popq %rsi\n  popq %rdi\n"
    "  jmp *(TablicaFunkcjiHosta + 8 * \\n)(%rip)\n"
    ".endr\n");

#elif defined(__x86_64__) && defined(_WIN32)
// Windows x64: arguments in rcx, rdx, r8, r9 (or xmm0-3), the rest on the
// stack above the caller's 32-byte shadow space, which the host function
// gets untouched. The binding gets a shadow space of its own below the
// saved argument registers, with the stack 16-byte aligned at its call.
asm(".text\n"
    ".irp n," STUBY_INDEKSY "\n"
    ".globl PierwszeWywolanie\\n\n"
    "PierwszeWywolanie\\n:\n"
    "  pushq %rcx\n  pushq %rdx\n  pushq %r8\n  pushq %r9\n"
    "  subq $104, %rsp\n"
    "  movdqu %xmm0, 32(%rsp)\n  movdqu %xmm1, 48(%rsp)\n  movdqu %xmm2, 64(%rsp)\n  movdqu %xmm3, 80(%rsp)\n"
    "  movl $\\n, %ecx\n"
    "  call PodlaczWpisTablicy\n"
    "  movdqu 32(%rsp), %xmm0\n  movdqu 48(%rsp), %xmm1\n  movdqu 64(%rsp), %xmm2\n  movdqu 80(%rsp), %xmm3\n"
    "  addq $104, %rsp\n"
    "  popq %r9\n  popq %r8\n  popq %rdx\n  popq %rcx\n"
    "  jmp *(TablicaFunkcjiHosta + 8 * \\n)(%rip)\n"
    ".endr\n");

#else
#error "first-call stubs exist for i386 and x86-64 only"
#endif
