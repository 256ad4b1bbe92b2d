// Passwords of protected archives, read from a file (--password-file) or
// typed at the terminal with echo off.
#ifndef VELTRANO_DPF_PASSWORD_H
#define VELTRANO_DPF_PASSWORD_H

#include <string>

#include "command_line.h"

// The cipher takes keys of 8 to 56 bytes.
constexpr size_t kMinPasswordBytes = 8;
constexpr size_t kMaxPasswordBytes = 56;

enum class PasswordPurpose {
    Unlock,  // an existing password: asked once
    Choose,  // a new password: asked twice, both must match
};

// True when a password can be had: a password file was named, or standard
// input is a terminal to prompt on.
bool PasswordAvailable(const Arguments& args);

// Reads the password from the file named by --password-file, else prompts on
// the terminal. On failure prints why and returns false.
bool ObtainPassword(const Arguments& args, const std::string& archive, PasswordPurpose purpose,
                    std::string& password);

#endif
