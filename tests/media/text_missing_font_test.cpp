#include "media/text.h"
#include "scratch_game_folder.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

using namespace floebound;

// A game folder without a data/ folder: every font fails to open.
TEST(TextWithoutFont, EachFontReportsOnceAndDrawsNothing) {
    const ScratchGameFolder folder;

    Fonts game_fonts;
    testing::internal::CaptureStdout();
    FontTable& fonts = game_fonts.table();
    static_cast<void>(game_fonts.table());
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_EQ(fonts.size(), 6u);
    for (const auto& [id, font] : fonts) EXPECT_EQ(font, nullptr) << id;

    // The message carries no line break, so the six run together.
    const std::string message = "Error loading font: ";
    std::size_t count = 0;
    for (std::size_t at = output.find(message); at != std::string::npos; at = output.find(message, at + 1)) ++count;
    EXPECT_EQ(count, 6u) << output;
    EXPECT_EQ(output.rfind(message, 0), 0u) << output;
    EXPECT_EQ(output.find('\n'), std::string::npos) << output;

    // No window: a missing font must return before touching OpenGL.
    TextRect rect = {10, 10, 5, 5};
    draw_text(fonts, "score", 1, {255, 255, 255, 0}, &rect);
    EXPECT_EQ(rect.w, 0);
    EXPECT_EQ(rect.h, 0);
}
