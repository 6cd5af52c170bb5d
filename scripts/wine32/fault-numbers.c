/* The 32-bit Wine's fault numbers under qemu's user-mode emulation.
 *
 * Wine's i386 exception handling reads the processor's trap number from the
 * signal context (uc_mcontext.gregs[REG_TRAPNO]) to tell an access violation
 * from a breakpoint, a divide error or an illegal instruction. A Linux kernel
 * fills it in; qemu-i386 leaves it at -1, and Wine then reports "unexpected
 * trap -1", turns a write fault into an illegal instruction and the program
 * hangs instead of reaching its own exception handler.
 *
 * This library is preloaded into every process of the 32-bit Wine (through
 * the private root's etc/ld.so.preload, which only the emulated loader reads).
 * It wraps sigaction: a handler installed for SIGSEGV, SIGBUS, SIGILL, SIGTRAP
 * or SIGFPE is called through fill_trap_number, which puts the trap number
 * that the signal and its si_code stand for into the context when it is -1,
 * and leaves a number that is already there alone. A caller asking for the
 * current action sees its own handler, never the wrapper.
 *
 * Built with the i686 cross compiler (gcc-i686-linux-gnu) against Debian's
 * i386 C library, the same as the root's.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stddef.h>
#include <sys/ucontext.h>

/* The i386 trap numbers that Wine's handlers tell apart. */
enum {
    TRAP_DIVIDE = 0,      /* divide error */
    TRAP_DEBUG = 1,       /* single step, hardware breakpoint */
    TRAP_BREAKPOINT = 3,  /* int3 */
    TRAP_OVERFLOW = 4,    /* into */
    TRAP_INVALID_OP = 6,  /* illegal instruction */
    TRAP_PROTECTION = 13, /* general protection fault */
    TRAP_PAGE_FAULT = 14,
    TRAP_FPU_ERROR = 16,
    TRAP_ALIGNMENT = 17,
};

typedef void (*info_handler)(int, siginfo_t *, void *);
typedef int (*sigaction_call)(int, const struct sigaction *, struct sigaction *);

/* The program's own handler per fault signal, as it installed it. */
static struct sigaction programs_action[_NSIG];
static int wrapped[_NSIG];

static int is_fault_signal(int signal)
{
    return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGTRAP ||
           signal == SIGFPE;
}

static int trap_number(int signal, int code)
{
    switch (signal) {
    case SIGSEGV:
        /* A page that is missing or protected; anything else the processor refused. */
        return code == SEGV_MAPERR || code == SEGV_ACCERR ? TRAP_PAGE_FAULT : TRAP_PROTECTION;
    case SIGBUS:
        return code == BUS_ADRALN ? TRAP_ALIGNMENT : TRAP_PAGE_FAULT;
    case SIGILL:
        return TRAP_INVALID_OP;
    case SIGTRAP:
        /* int3 arrives as SI_KERNEL; single steps as TRAP_BRKPT or TRAP_TRACE. */
        return code == SI_KERNEL ? TRAP_BREAKPOINT : TRAP_DEBUG;
    case SIGFPE:
        if (code == FPE_INTDIV)
            return TRAP_DIVIDE;
        return code == FPE_INTOVF ? TRAP_OVERFLOW : TRAP_FPU_ERROR;
    }
    return -1;
}

static void fill_trap_number(int signal, siginfo_t *info, void *context)
{
    ucontext_t *uc = context;
    if (uc != NULL && uc->uc_mcontext.gregs[REG_TRAPNO] == -1)
        uc->uc_mcontext.gregs[REG_TRAPNO] = trap_number(signal, info->si_code);
    ((info_handler)programs_action[signal].sa_sigaction)(signal, info, context);
}

static sigaction_call real_sigaction(void)
{
    static sigaction_call call;
    if (call == NULL)
        call = (sigaction_call)dlsym(RTLD_NEXT, "sigaction");
    return call;
}

int sigaction(int signal, const struct sigaction *action, struct sigaction *old)
{
    sigaction_call call = real_sigaction();
    if (call == NULL || signal <= 0 || signal >= _NSIG || !is_fault_signal(signal))
        return call != NULL ? call(signal, action, old) : -1;

    struct sigaction previous = programs_action[signal];
    int was_wrapped = wrapped[signal];
    int result;
    if (action != NULL && (action->sa_flags & SA_SIGINFO)) {
        struct sigaction ours = *action;
        programs_action[signal] = *action;
        ours.sa_sigaction = fill_trap_number;
        result = call(signal, &ours, old);
        if (result == 0)
            wrapped[signal] = 1;
        else
            programs_action[signal] = previous;
    } else {
        /* SIG_DFL, SIG_IGN or a plain handler: the context is not theirs to read. */
        result = call(signal, action, old);
        if (result == 0 && action != NULL)
            wrapped[signal] = 0;
    }
    if (result == 0 && old != NULL && was_wrapped)
        *old = previous;
    return result;
}

/* glibc's other name for the same call. */
int __sigaction(int signal, const struct sigaction *action, struct sigaction *old)
{
    return sigaction(signal, action, old);
}
