// Arbitrary bytes as the board photograph: the decoder returns a whole image or throws
// std::runtime_error, its header reading agrees with what it decoded, and the board picture
// takes a decoded image and draws it stretched into its rectangle.

#include "FuzzApplication.h"
#include "SetupCtrls/BoardHighlight.h" // BoardImage.h's QPointer members need the full types under clang
#include "SetupCtrls/BoardImage.h"
#include "toolkit/Jpeg.h"
#include "toolkit/Menu.h"

#include <QPainter>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string_view>

namespace {

// libjpeg is not compiled with coverage, so the fuzzer cannot see how far into it an input
// got; its verdict shows that. Each distinct complaint (numbers left out) and each kind of
// stream decoded is a feature of its own in libFuzzer's extra counters.
__attribute__((section("__libfuzzer_extra_counters"))) std::uint8_t outcomes[1024];

void noteOutcome(std::string_view verdict)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : verdict)
        if (c < '0' || c > '9')
            hash = (hash ^ std::uint8_t(c)) * 16777619u;
    ++outcomes[hash % std::size(outcomes)];
}

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The board picture as the page has it: a small control the photograph is stretched into.
TBoardImage& boardPicture()
{
    static TBoardImage board;
    return board;
}

void show(const QImage& image)
{
    TBoardImage& board = boardPicture();
    board.setPicture(image);
    QImage canvas(board.size(), QImage::Format_RGB32);
    QPainter painter(&canvas);
    board.paintPictureInto(painter, board.rect());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    TBoardImage& board = boardPicture();
    board.setAutoSize(false);
    board.setStretch(true);
    board.resize(64, 48);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage image;
    try {
        image = Jpeg::decode(bytes);
    } catch (const std::runtime_error& e) {
        noteOutcome(e.what());
        return 0; // refused: a correct answer
    }
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        fault("decode returned no RGB32 image without an error");
    const Jpeg::HeaderInfo header = Jpeg::readHeader(bytes);
    if (header.width != image.width() || header.height != image.height())
        fault("the header disagrees with the decoded image");
    const char kind[] = {char('a' + header.components), header.progressive ? 'p' : 'b',
                         header.jfif ? 'j' : '-', char('a' + header.densityUnit), 0};
    noteOutcome(kind);
    show(image);
    return 0;
}
