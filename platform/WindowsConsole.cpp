#include "platform/Console.h"

#include "platform/Utf16.h"

#include <windows.h>
#include <shellapi.h>

#include <streambuf>

namespace torvane {
namespace {

HANDLE standardHandle(StandardStream stream)
{
    switch (stream) {
    case StandardStream::Input:
        return ::GetStdHandle(STD_INPUT_HANDLE);
    case StandardStream::Output:
        return ::GetStdHandle(STD_OUTPUT_HANDLE);
    case StandardStream::Error:
        break;
    }
    return ::GetStdHandle(STD_ERROR_HANDLE);
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetConsoleMode(handle, &mode);
}

// The length of the longest prefix of text that ends on a whole UTF-8 character.
std::size_t wholeCharacters(std::string_view text)
{
    std::size_t end = text.size();
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length > back)
            end = text.size() - back;
        break;
    }
    return end;
}

// Collects UTF-8 and hands it on when flushed: to a console window as UTF-16
// (WriteConsoleW shows it right whatever the console's code page), to a file
// or pipe as the bytes themselves.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(StandardStream stream) : stream_(stream) {}

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        pending_ += traits_type::to_char_type(c);
        if (pending_.size() >= FlushSize)
            flush();
        return c;
    }

    std::streamsize xsputn(const char* text, std::streamsize n) override
    {
        pending_.append(text, static_cast<std::size_t>(n));
        if (pending_.size() >= FlushSize)
            flush();
        return n;
    }

    int sync() override { return flush() ? 0 : -1; }

private:
    static constexpr std::size_t FlushSize = 4096;

    bool flush()
    {
        const HANDLE handle = standardHandle(stream_);
        if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
            pending_.clear();
            return false;
        }
        return isConsole(handle) ? writeConsole(handle) : writeBytes(handle);
    }

    bool writeConsole(HANDLE handle)
    {
        const std::size_t whole = wholeCharacters(pending_);
        const std::wstring wide = utf16::fromUtf8(std::string_view(pending_).substr(0, whole));
        pending_.erase(0, whole);
        for (std::size_t done = 0; done < wide.size();) {
            DWORD written = 0;
            if (!::WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(wide.size() - done), &written, nullptr))
                return false;
            done += written;
        }
        return true;
    }

    bool writeBytes(HANDLE handle)
    {
        std::string_view rest = pending_;
        bool ok = true;
        while (!rest.empty() && ok) {
            DWORD written = 0;
            ok = ::WriteFile(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) && written > 0;
            rest.remove_prefix(written);
        }
        pending_.clear();
        return ok;
    }

    StandardStream stream_;
    std::string pending_;
};

// Error output reaches the user at once, as std::cerr does.
class ConsoleStream final : public std::ostream {
public:
    explicit ConsoleStream(StandardStream stream) : std::ostream(&buffer_), buffer_(stream)
    {
        if (stream == StandardStream::Error)
            setf(std::ios::unitbuf);
    }
    ~ConsoleStream() override { flush(); }

private:
    ConsoleBuffer buffer_;
};

} // namespace

bool isTerminal(StandardStream stream)
{
    return isConsole(standardHandle(stream));
}

std::ostream& consoleStream(StandardStream stream)
{
    static ConsoleStream output(StandardStream::Output);
    static ConsoleStream error(StandardStream::Error);
    return stream == StandardStream::Error ? error : output;
}

std::vector<std::string> commandLineArguments(int, char**)
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 0; arguments != nullptr && i < count; ++i)
        utf8.push_back(utf16::toUtf8(arguments[i]));
    ::LocalFree(arguments);
    return utf8;
}

} // namespace torvane
