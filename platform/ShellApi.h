#pragma once

using HWND = void*;
using HINSTANCE = void*;
constexpr int SW_SHOWNORMAL = 1;

// The shell's open call. "open" of a web address opens it in the default web
// browser; a bare host name such as www.example.org is taken as a web address.
// Like the shell, it reports nothing when the address cannot be opened.
HINSTANCE ShellExecuteA(HWND owner, const char* operation, const char* file,
                        const char* parameters, const char* directory, int showCommand);

// The owner every link passes: the application's own window.
HWND applicationWindow();
