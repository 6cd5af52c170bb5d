// A stand-in for the help reader in the test's own process: a hidden window
// of the reader's class, which WinHelpA of every program of the prefix finds
// and hands its request to. It records each request and takes it or not, as
// the test asks, so that a test sees what a program asks of its help: a
// popup, which Wine's own reader does not show, included.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HelpReaderStandIn {
public:
    struct Request {
        UINT command;      // HELP_CONTEXT, HELP_CONTEXTPOPUP, HELP_INDEX, ...
        DWORD data;        // the context number of HELP_CONTEXT and HELP_CONTEXTPOPUP
        std::string file;  // the help file named, "" for none
    };

    // Opens the window on a thread of its own; WinHelpA gets takes as its
    // answer to every request.
    explicit HelpReaderStandIn(bool takes = true);
    ~HelpReaderStandIn() { Close(); }
    HelpReaderStandIn(const HelpReaderStandIn&) = delete;
    HelpReaderStandIn& operator=(const HelpReaderStandIn&) = delete;

    // Closes the window, so that WinHelpA starts the real reader again; the
    // requests stay.
    void Close();

    bool running() const { return window_ != nullptr; }
    // The requests so far, in their order.
    std::vector<Request> Requests() const;
    // Waits for count requests, 15 seconds at most.
    bool WaitForRequests(std::size_t count) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);
    void Record(const COPYDATASTRUCT& data);

    bool takes_;
    std::atomic<HWND> window_{nullptr};
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::thread thread_;
};
