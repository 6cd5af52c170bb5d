/* The virtual notebook's kernel driver: creates the machine's devices
 * (\\.\brenix, \\.\veltrova, \\.\hotkey), the named event "HotkeyEvent" and
 * the control device \\.\VirtualNotebook, and hands every DeviceIoControl to
 * the machine model under one lock. The settings that a notebook keeps in its
 * BIOS are saved to a file of the Windows folder whenever they change and read
 * back when the driver starts. This file only moves buffers, statuses, time
 * and the saved settings. */
#include <ntddk.h>

#include "simulator/driver/notebook_service.h"

NTSYSAPI NTSTATUS NTAPI ZwCreateEvent(PHANDLE EventHandle, ACCESS_MASK DesiredAccess,
                                      POBJECT_ATTRIBUTES ObjectAttributes, EVENT_TYPE EventType,
                                      BOOLEAN InitialState);
NTSYSAPI NTSTATUS NTAPI ZwSetEvent(HANDLE EventHandle, PLONG PreviousState);

/* The machine's saved settings; the machine checks what it reads back. */
static const WCHAR kSaveFile[] = L"\\??\\C:\\windows\\virtualnotebook.dat";
#define SAVE_BUFFER_SIZE 4096

#ifdef _M_AMD64
/* The x86_64 headers read the system time from the kernel's shared page,
 * which a driver hosted by Wine cannot see; the exported function answers. */
#undef KeQuerySystemTime
NTKERNELAPI VOID NTAPI KeQuerySystemTime(PLARGE_INTEGER CurrentTime);
#endif

struct DeviceNames {
    unsigned device;
    const WCHAR* name;
    const WCHAR* link;
};

static const struct DeviceNames kDevices[NOTEBOOK_DEVICES] = {
    {NOTEBOOK_BIOS, L"\\Device\\brenix", L"\\DosDevices\\brenix"},
    {NOTEBOOK_DMI, L"\\Device\\veltrova", L"\\DosDevices\\veltrova"},
    {NOTEBOOK_HOTKEY, L"\\Device\\hotkey", L"\\DosDevices\\hotkey"},
    {NOTEBOOK_CONTROL, L"\\Device\\VirtualNotebook", L"\\DosDevices\\VirtualNotebook"},
};

/* User-mode OpenEventA finds a kernel event in the session's namespace under
 * Wine and in the global one on Windows; the first that works is taken. */
static const WCHAR* const kHotkeyEventNames[] = {
    L"\\Sessions\\1\\BaseNamedObjects\\HotkeyEvent",
    L"\\BaseNamedObjects\\HotkeyEvent",
};

#define TICKS_PER_MILLISECOND 10000LL            /* system time counts 100 ns */
#define LONGEST_STEP_MS (24LL * 3600 * 1000)     /* a clock jump counts as a day at most */

static KMUTEX g_lock;
static HANDLE g_hotkeyEvent;
static LONGLONG g_clock; /* system time up to which the battery has run */
static PDEVICE_OBJECT g_deviceObjects[NOTEBOOK_DEVICES];

static LONGLONG Now(void) {
    LARGE_INTEGER now;
    KeQuerySystemTime(&now);
    return now.QuadPart;
}

/* Gives the battery the time that passed since the last request. */
static void AdvanceMachineClock(void) {
    const LONGLONG now = Now();
    LONGLONG ms;
    if (now < g_clock) g_clock = now; /* the clock went back */
    ms = (now - g_clock) / TICKS_PER_MILLISECOND;
    if (ms == 0) return;
    if (ms > LONGEST_STEP_MS) ms = LONGEST_STEP_MS;
    NotebookAdvanceTime((unsigned)ms);
    g_clock = now;
}

static NTSTATUS OpenSaveFile(HANDLE* file, ACCESS_MASK access, ULONG disposition) {
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK io;
    RtlInitUnicodeString(&name, kSaveFile);
    InitializeObjectAttributes(&attributes, &name, OBJ_KERNEL_HANDLE | OBJ_CASE_INSENSITIVE, NULL, NULL);
    return ZwCreateFile(file, access | SYNCHRONIZE, &attributes, &io, NULL, FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ,
                        disposition, FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, NULL, 0);
}

/* Reads the saved settings into the machine: a missing file is the factory
 * state, anything read is the machine's to judge. A file longer than any
 * save is handed on with one byte more than a save, so that it is refused. */
static void RestoreSettings(void) {
    static UCHAR buffer[SAVE_BUFFER_SIZE];
    HANDLE file;
    IO_STATUS_BLOCK io;
    NTSTATUS status;
    ULONG wanted = NotebookSaveSize() + 1;
    if (wanted > sizeof buffer) wanted = sizeof buffer;
    status = OpenSaveFile(&file, FILE_GENERIC_READ, FILE_OPEN);
    if (status == STATUS_OBJECT_NAME_NOT_FOUND || status == STATUS_OBJECT_PATH_NOT_FOUND) {
        NotebookRestore(NULL, 0);
        return;
    }
    io.Information = 0;
    if (NT_SUCCESS(status)) {
        if (!NT_SUCCESS(ZwReadFile(file, NULL, NULL, NULL, &io, buffer, wanted, NULL, NULL))) io.Information = 0;
        ZwClose(file);
    }
    /* A file that cannot be read, or an empty one, is damaged, not missing. */
    if (io.Information == 0) {
        buffer[0] = 0;
        io.Information = 1;
    }
    NotebookRestore(buffer, (unsigned)io.Information);
}

/* Writes the settings while they differ from what the file holds, and tells
 * the machine how it went: a failed save is tried again after the next
 * request, and the machine says meanwhile that its settings are not saved. */
static void SaveChangedSettings(void) {
    const void* bytes;
    unsigned size;
    HANDLE file;
    IO_STATUS_BLOCK io;
    NTSTATUS status;
    if (!NotebookTakeChangedSave(&bytes, &size)) return;
    status = OpenSaveFile(&file, FILE_GENERIC_WRITE, FILE_OVERWRITE_IF);
    if (NT_SUCCESS(status)) {
        status = ZwWriteFile(file, NULL, NULL, NULL, &io, (PVOID)bytes, size, NULL, NULL);
        if (NT_SUCCESS(status) && io.Information != size) status = STATUS_DISK_FULL;
        ZwClose(file);
    }
    NotebookSaveWritten(NT_SUCCESS(status) ? 0 : (unsigned)status);
}

static NTSTATUS StatusOf(unsigned result) {
    switch (result) {
        case NOTEBOOK_DONE: return STATUS_SUCCESS;
        case NOTEBOOK_WRONG_LENGTH: return STATUS_INVALID_PARAMETER;
        case NOTEBOOK_UNKNOWN_CODE: return STATUS_INVALID_DEVICE_REQUEST;
        default: return STATUS_UNSUCCESSFUL;
    }
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp) {
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    const PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const unsigned which = *(const unsigned*)device->DeviceExtension;
    struct NotebookAnswer answer;
    NTSTATUS status;

    KeWaitForSingleObject(&g_lock, Executive, KernelMode, FALSE, NULL);
    AdvanceMachineClock();
    answer = NotebookServe(which, stack->Parameters.DeviceIoControl.IoControlCode, irp->AssociatedIrp.SystemBuffer,
                           stack->Parameters.DeviceIoControl.InputBufferLength,
                           stack->Parameters.DeviceIoControl.OutputBufferLength);
    if (answer.signalHotkeyEvent && g_hotkeyEvent != NULL) ZwSetEvent(g_hotkeyEvent, NULL);
    SaveChangedSettings();
    KeReleaseMutex(&g_lock, FALSE);

    status = StatusOf(answer.result);
    return Complete(irp, status, NT_SUCCESS(status) ? answer.returned : 0);
}

static void RemoveDevices(void) {
    ULONG i;
    for (i = 0; i < NOTEBOOK_DEVICES; ++i) {
        UNICODE_STRING link;
        if (g_deviceObjects[i] == NULL) continue;
        RtlInitUnicodeString(&link, kDevices[i].link);
        IoDeleteSymbolicLink(&link);
        IoDeleteDevice(g_deviceObjects[i]);
        g_deviceObjects[i] = NULL;
    }
    if (g_hotkeyEvent != NULL) {
        ZwClose(g_hotkeyEvent);
        g_hotkeyEvent = NULL;
    }
}

static VOID NTAPI DriverUnload(PDRIVER_OBJECT driver) {
    (void)driver;
    RemoveDevices();
}

static NTSTATUS CreateNotebookDevice(PDRIVER_OBJECT driver, ULONG index) {
    UNICODE_STRING name, link;
    PDEVICE_OBJECT object = NULL;
    NTSTATUS status;
    RtlInitUnicodeString(&name, kDevices[index].name);
    status = IoCreateDevice(driver, sizeof(unsigned), &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &object);
    if (!NT_SUCCESS(status)) return status;
    *(unsigned*)object->DeviceExtension = kDevices[index].device;
    object->Flags |= DO_BUFFERED_IO;
    RtlInitUnicodeString(&link, kDevices[index].link);
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(object);
        return status;
    }
    object->Flags &= ~DO_DEVICE_INITIALIZING;
    g_deviceObjects[index] = object;
    return STATUS_SUCCESS;
}

static void CreateHotkeyEvent(void) {
    ULONG i;
    for (i = 0; i < sizeof kHotkeyEventNames / sizeof kHotkeyEventNames[0]; ++i) {
        UNICODE_STRING name;
        OBJECT_ATTRIBUTES attributes;
        RtlInitUnicodeString(&name, kHotkeyEventNames[i]);
        InitializeObjectAttributes(&attributes, &name, OBJ_KERNEL_HANDLE | OBJ_OPENIF, NULL, NULL);
        if (NT_SUCCESS(ZwCreateEvent(&g_hotkeyEvent, EVENT_ALL_ACCESS, &attributes, SynchronizationEvent, FALSE)))
            return;
        g_hotkeyEvent = NULL;
    }
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    ULONG i;
    (void)registryPath;
    KeInitializeMutex(&g_lock, 0);
    g_clock = Now();
    RestoreSettings();
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;
    driver->DriverUnload = DriverUnload;
    for (i = 0; i < NOTEBOOK_DEVICES; ++i) {
        const NTSTATUS status = CreateNotebookDevice(driver, i);
        if (!NT_SUCCESS(status)) {
            RemoveDevices();
            return status;
        }
    }
    CreateHotkeyEvent();
    return STATUS_SUCCESS;
}
