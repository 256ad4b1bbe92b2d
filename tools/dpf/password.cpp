#include "password.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "messages.h"
#include "terminal.h"

namespace {

bool CheckLength(const std::string& password, const std::string& origin) {
    if (password.size() >= kMinPasswordBytes && password.size() <= kMaxPasswordBytes) return true;
    PrintError("the password %s has %zu bytes; it must have %zu to %zu", origin.c_str(), password.size(),
               kMinPasswordBytes, kMaxPasswordBytes);
    return false;
}

// The file's bytes without one trailing line end, so that a file written by
// "echo secret > file" holds the password "secret".
bool ReadPasswordFile(const std::string& path, std::string& password) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        PrintError("cannot read the password file '%s'", path.c_str());
        return false;
    }
    password.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!password.empty() && password.back() == '\n') password.pop_back();
    if (!password.empty() && password.back() == '\r') password.pop_back();
    return CheckLength(password, "in '" + path + "'");
}

bool Prompt(const std::string& question, std::string& answer) {
    std::fprintf(stderr, "%s", question.c_str());
    std::fflush(stderr);
    bool read = false;
    {
        terminal::EchoOff echoOff;
        read = static_cast<bool>(std::getline(std::cin, answer));
    }
    std::fputc('\n', stderr);
    if (!read) PrintError("no password was typed");
    return read;
}

bool PromptPassword(const std::string& archive, PasswordPurpose purpose, std::string& password) {
    const std::string first = purpose == PasswordPurpose::Choose ? "New password for '" : "Password for '";
    if (!Prompt(first + archive + "': ", password)) return false;
    if (!CheckLength(password, "typed")) return false;
    if (purpose == PasswordPurpose::Unlock) return true;
    std::string again;
    if (!Prompt("Repeat the password: ", again)) return false;
    if (again != password) {
        PrintError("the two passwords differ");
        return false;
    }
    return true;
}

}  // namespace

bool PasswordAvailable(const Arguments& args) {
    return args.Has("password-file") || terminal::IsTerminal(stdin);
}

bool ObtainPassword(const Arguments& args, const std::string& archive, PasswordPurpose purpose,
                    std::string& password) {
    if (args.Has("password-file")) return ReadPasswordFile(args.Value("password-file"), password);
    if (!terminal::IsTerminal(stdin)) {
        PrintError("'%s' needs a password: give it with --password-file FILE", archive.c_str());
        return false;
    }
    return PromptPassword(archive, purpose, password);
}
