/* The virtual notebook as the kernel driver sees it: one machine model behind
 * a C interface, so that the driver's kernel plumbing can be plain C with the
 * DDK headers while the model stays freestanding C++. The caller serializes. */
#ifndef SIMULATOR_DRIVER_NOTEBOOK_SERVICE_H
#define SIMULATOR_DRIVER_NOTEBOOK_SERVICE_H

#ifdef __cplusplus
extern "C" {
#endif

/* The devices, in the order of NotebookDevice. */
enum { NOTEBOOK_BIOS, NOTEBOOK_DMI, NOTEBOOK_HOTKEY, NOTEBOOK_CONTROL, NOTEBOOK_DEVICES };

/* The results, in the order of DeviceResult. */
enum { NOTEBOOK_DONE, NOTEBOOK_WRONG_LENGTH, NOTEBOOK_UNKNOWN_CODE, NOTEBOOK_REFUSED };

struct NotebookAnswer {
    unsigned result;
    unsigned returned;           /* bytes written to the buffer */
    unsigned signalHotkeyEvent;  /* nonzero: set "HotkeyEvent" once */
};

/* Lets the battery run for the given time. */
void NotebookAdvanceTime(unsigned milliseconds);

/* Serves one buffered request: buffer holds inLength bytes in and takes up to
 * outLength bytes out. */
struct NotebookAnswer NotebookServe(unsigned device, unsigned code, void* buffer, unsigned inLength,
                                    unsigned outLength);

/* The machine's saved settings: NotebookRestore takes what was saved (any
 * bytes, none when nothing was); NotebookTakeChangedSave hands out the block
 * to save (1) while the settings differ from what was last written, else 0;
 * NotebookSaveWritten tells how writing it went: 0, or the failure's status. */
void NotebookRestore(const void* bytes, unsigned size);
int NotebookTakeChangedSave(const void** bytes, unsigned* size);
void NotebookSaveWritten(unsigned status);
unsigned NotebookSaveSize(void);

#ifdef __cplusplus
}
#endif

#endif
