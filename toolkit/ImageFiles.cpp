#include "toolkit/ImageFiles.h"

#include "base/Handles.h"
#include "base/Module.h"
#include "base/Log.h"
#include "base/Text.h"
#include "toolkit/ImageFormats.h"

namespace tk {
namespace {

// Icon files are small; anything larger is not one the program shows.
constexpr uint64_t kMaxIconFileBytes = 4 << 20;

// The whole icon file once it passed the check, with the check's result.
std::optional<std::pair<std::string, IconCheck>> ReadIconFile(const std::wstring& path) {
    const std::optional<FileStart> file = ReadFileStart(path, kMaxIconFileBytes);
    if (!file) {
        return std::nullopt;
    }
    IconCheck check = file->size > kMaxIconFileBytes ? IconCheck{{}, "the file is too large for an icon"}
                                                     : CheckIcon(file->bytes);
    if (check.images.empty()) {
        base::LogF("Icon file %s not used: %s", base::WideToUtf8(path).c_str(), check.problem.c_str());
        return std::nullopt;
    }
    return std::make_pair(file->bytes, std::move(check));
}

}  // namespace

std::optional<FileStart> ReadFileStart(const std::wstring& path, uint64_t maxBytes) {
    base::UniqueFile file(CreateFileW(base::FileSystemPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) {
        return std::nullopt;
    }
    FileStart start;
    start.size = static_cast<uint64_t>(size.QuadPart);
    start.bytes.resize(static_cast<size_t>(std::min(start.size, maxBytes)));
    size_t done = 0;
    while (done < start.bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(start.bytes.size() - done, 1u << 24));
        DWORD read = 0;
        if (!ReadFile(file.Get(), start.bytes.data() + done, chunk, &read, nullptr) || read == 0) {
            return std::nullopt;
        }
        done += read;
    }
    return start;
}

UniqueIcon LoadIconFile(const std::wstring& path, int size) {
    const auto file = ReadIconFile(path);
    if (!file) {
        return UniqueIcon();
    }
    const IconImage* image = ChooseIconImage(file->second.images, size);
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(file->first.data())) + image->offset;
    UniqueIcon icon(
        CreateIconFromResourceEx(bytes, image->size, TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR));
    if (!icon) {
        base::LogF("Icon file %s: the system could not make an icon of it (%s)",
                   base::WideToUtf8(path).c_str(), base::ErrorText(GetLastError()).c_str());
    }
    return icon;
}

bool IconFileIsUsable(const std::wstring& path) {
    return ReadIconFile(path).has_value();
}

}  // namespace tk
