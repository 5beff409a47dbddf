// Modal message boxes of our own: a small SDL window drawn in software with
// text from the font service. Its loop keeps the game window's messages flowing to the
// game's window procedure while the player reads, which SDL's own message
// box would not.
#include "platform/message_box.h"

#include "platform/font_faces.h"
#include "platform/platform_state.h"
#include "platform/probes.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int fontPixels = 15;
constexpr int margin = 18;
constexpr int buttonWidth = 88;
constexpr int buttonHeight = 28;
constexpr int buttonGap = 10;
constexpr int minimumWidth = 260;
constexpr int maximumTextWidth = 560;

struct BoxFont {
    FontFace* face = nullptr;
    int ascent = fontPixels;
    int lineHeight = fontPixels + 4;
};

struct BoxButton {
    const char* label;
    int answer;
    SDL_Rect area;
};

struct BoxWindow {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    Uint32 windowId = 0;
    int width = 0;
    int height = 0;
    std::vector<std::u32string> lines;
    std::vector<BoxButton> buttons;
    int defaultAnswer = IDOK;
    int cancelAnswer = IDOK;
    int pressedButton = -1;
};

std::u32string decodeUtf8(const std::string& text)
{
    std::u32string result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t point = 0;
        if (lead < 0x80) {
            point = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            point = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            point = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            point = lead & 0x07;
        } else {
            result.push_back(U'?');
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size()) {
            result.push_back(U'?');  // cut off at the end
            break;
        }
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            point = (point << 6) | (next & 0x3F);
        }
        if (!valid) {
            result.push_back(U'?');
            ++i;
            continue;
        }
        result.push_back(point);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return result;
}

bool openFont(BoxFont& font)
{
    font.face = openFontFace("sans", fontPixels);
    if (font.face == nullptr)
        return false;
    font.ascent = fontAscent(font.face);
    font.lineHeight = fontLineHeight(font.face);
    return true;
}

void closeFont(BoxFont& font)
{
    closeFontFace(font.face);
    font = BoxFont{};
}

int advanceOf(const BoxFont& font, char32_t point)
{
    if (font.face == nullptr)
        return 0;
    return static_cast<int>(glyphAdvance(font.face, point) >> 6);
}

int widthOf(const BoxFont& font, const std::u32string& line)
{
    int width = 0;
    for (char32_t point : line)
        width += advanceOf(font, point);
    return width;
}

// The text's own line breaks, and long lines wrapped at spaces.
std::vector<std::u32string> layOutText(const BoxFont& font, const std::u32string& text)
{
    std::vector<std::u32string> lines;
    std::u32string paragraph;
    auto wrap = [&](const std::u32string& source) {
        std::u32string line;
        std::size_t start = 0;
        while (start <= source.size()) {
            std::size_t end = source.find(U' ', start);
            if (end == std::u32string::npos)
                end = source.size();
            const std::u32string word = source.substr(start, end - start);
            const std::u32string candidate = line.empty() ? word : line + U' ' + word;
            if (!line.empty() && widthOf(font, candidate) > maximumTextWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            start = end + 1;
        }
        lines.push_back(line);
    };
    for (char32_t point : text) {
        if (point == U'\r')
            continue;
        if (point == U'\n') {
            wrap(paragraph);
            paragraph.clear();
        } else {
            paragraph.push_back(point);
        }
    }
    wrap(paragraph);
    return lines;
}

void fillRect(SDL_Surface* surface, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b)
{
    const SDL_Rect area{x, y, w, h};
    SDL_FillRect(surface, &area, SDL_MapRGB(surface->format, r, g, b));
}

void drawText(SDL_Surface* surface, const BoxFont& font, const std::u32string& line, int x,
              int baseline)
{
    if (font.face == nullptr)
        return;
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    const int pitch = surface->pitch / 4;
    for (char32_t point : line) {
        GlyphBitmap glyph;
        if (!glyphBitmap(font.face, point, glyph))
            continue;
        for (int row = 0; row < glyph.rows; ++row) {
            const int py = baseline - glyph.top + row;
            if (py < 0 || py >= surface->h)
                continue;
            for (int column = 0; column < glyph.width; ++column) {
                const int px = x + glyph.left + column;
                if (px < 0 || px >= surface->w)
                    continue;
                const unsigned coverage = glyph.coverage[row * glyph.pitch + column];
                Uint32& pixel = pixels[py * pitch + px];
                Uint8 r = 0;
                Uint8 g = 0;
                Uint8 b = 0;
                SDL_GetRGB(pixel, surface->format, &r, &g, &b);
                // Black text: darken by the glyph's coverage.
                r = static_cast<Uint8>(r * (255 - coverage) / 255);
                g = static_cast<Uint8>(g * (255 - coverage) / 255);
                b = static_cast<Uint8>(b * (255 - coverage) / 255);
                pixel = SDL_MapRGB(surface->format, r, g, b);
            }
        }
        x += static_cast<int>(glyph.advance >> 6);
    }
}

void drawBox(BoxWindow& box, const BoxFont& font)
{
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, box.width, box.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return;
    fillRect(surface, 0, 0, box.width, box.height, 240, 240, 240);
    int baseline = margin + font.ascent;
    for (const auto& line : box.lines) {
        drawText(surface, font, line, margin, baseline);
        baseline += font.lineHeight;
    }
    for (std::size_t i = 0; i < box.buttons.size(); ++i) {
        const BoxButton& button = box.buttons[i];
        const SDL_Rect& a = button.area;
        const bool isDefault = button.answer == box.defaultAnswer;
        if (isDefault)
            fillRect(surface, a.x - 1, a.y - 1, a.w + 2, a.h + 2, 40, 90, 200);
        else
            fillRect(surface, a.x, a.y, a.w, a.h, 120, 120, 120);
        const bool pressed = static_cast<int>(i) == box.pressedButton;
        const Uint8 face = pressed ? 200 : 225;
        fillRect(surface, a.x + 1, a.y + 1, a.w - 2, a.h - 2, face, face, face);
        const std::u32string label = decodeUtf8(button.label);
        const int labelX = a.x + (a.w - widthOf(font, label)) / 2;
        const int labelBaseline = a.y + (a.h - font.lineHeight) / 2 + font.ascent;
        drawText(surface, font, label, labelX, labelBaseline);
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(box.renderer, surface);
    SDL_FreeSurface(surface);
    if (texture == nullptr)
        return;
    SDL_RenderClear(box.renderer);
    SDL_RenderCopy(box.renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(box.renderer);
    SDL_DestroyTexture(texture);
}

bool openBox(BoxWindow& box, const BoxFont& font, const std::string& text,
             const std::string& caption, UINT style)
{
    box.lines = layOutText(font, decodeUtf8(text));
    if ((style & 0x0F) == MB_YESNO) {
        box.buttons = {{"Yes", IDYES, {}}, {"No", IDNO, {}}};
        box.defaultAnswer = IDYES;
        box.cancelAnswer = IDNO;
    } else {
        box.buttons = {{"OK", IDOK, {}}};
        box.defaultAnswer = IDOK;
        box.cancelAnswer = IDOK;
    }
    int textWidth = 0;
    for (const auto& line : box.lines)
        textWidth = std::max(textWidth, widthOf(font, line));
    const int buttonCount = static_cast<int>(box.buttons.size());
    const int buttonsWidth = buttonCount * buttonWidth + (buttonCount - 1) * buttonGap;
    box.width = std::max({minimumWidth, textWidth + 2 * margin, buttonsWidth + 2 * margin});
    const int textHeight = static_cast<int>(box.lines.size()) * font.lineHeight;
    box.height = margin + textHeight + margin + buttonHeight + margin;
    int x = (box.width - buttonsWidth) / 2;
    for (auto& button : box.buttons) {
        button.area = SDL_Rect{x, box.height - margin - buttonHeight, buttonWidth, buttonHeight};
        x += buttonWidth + buttonGap;
    }

    box.window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  box.width, box.height, SDL_WINDOW_HIDDEN);
    if (box.window == nullptr)
        return false;
    box.windowId = SDL_GetWindowID(box.window);
    box.renderer = SDL_CreateRenderer(box.window, -1, SDL_RENDERER_SOFTWARE);
    if (box.renderer == nullptr) {
        SDL_DestroyWindow(box.window);
        box.window = nullptr;
        return false;
    }
    SDL_ShowWindow(box.window);
    SDL_RaiseWindow(box.window);
    SDL_SetWindowInputFocus(box.window);
    drawBox(box, font);
    return true;
}

void closeBox(BoxWindow& box)
{
    if (box.renderer != nullptr)
        SDL_DestroyRenderer(box.renderer);
    if (box.window != nullptr)
        SDL_DestroyWindow(box.window);
    box.renderer = nullptr;
    box.window = nullptr;
}

int buttonAt(const BoxWindow& box, int x, int y)
{
    const SDL_Point point{x, y};
    for (std::size_t i = 0; i < box.buttons.size(); ++i) {
        if (SDL_PointInRect(&point, &box.buttons[i].area))
            return static_cast<int>(i);
    }
    return -1;
}

bool offersAnswer(const BoxWindow& box, int answer)
{
    return std::any_of(box.buttons.begin(), box.buttons.end(),
                       [answer](const BoxButton& button) { return button.answer == answer; });
}

// The answer an event of the box gives, or 0.
int answerFrom(BoxWindow& box, const BoxFont& font, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        // A key already held when the box came up does not answer it.
        if (event.key.repeat != 0)
            return 0;
        switch (event.key.keysym.sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return box.defaultAnswer;
        case SDLK_ESCAPE: return box.cancelAnswer;
        case SDLK_y: return offersAnswer(box, IDYES) ? IDYES : 0;
        case SDLK_n: return offersAnswer(box, IDNO) ? IDNO : 0;
        default: return 0;
        }
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
            box.pressedButton = buttonAt(box, event.button.x, event.button.y);
            drawBox(box, font);
        }
        return 0;
    case SDL_MOUSEBUTTONUP: {
        if (event.button.button != SDL_BUTTON_LEFT)
            return 0;
        const int released = buttonAt(box, event.button.x, event.button.y);
        const int pressed = box.pressedButton;
        box.pressedButton = -1;
        if (released >= 0 && released == pressed)
            return box.buttons[static_cast<std::size_t>(released)].answer;
        drawBox(box, font);
        return 0;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            return box.cancelAnswer;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            drawBox(box, font);
        return 0;
    default: return 0;
    }
}

Uint32 eventWindowId(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_MOUSEWHEEL: return event.wheel.windowID;
    case SDL_WINDOWEVENT: return event.window.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    default: return 0;
    }
}

bool belongsToBox(const BoxWindow& box, const SDL_Event& event)
{
    const Uint32 id = eventWindowId(event);
    if (id == box.windowId)
        return true;
    // Keys SDL gave to no window are the box's: it is the one in front.
    return id == 0 && (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP);
}

int runBox(BoxWindow& box, BoxFont& font)
{
    int answer = 0;
    while (answer == 0) {
        dispatchWaitingMessages();
        SDL_Event event;
        // A quit signal closes the box, so that the game can end.
        if (!waitForSdlEvent(event))
            return box.cancelAnswer;
        do {
            if (belongsToBox(box, event))
                answer = answerFrom(box, font, event);
            else
                translateSdlEvent(event);
        } while (answer == 0 && SDL_PollEvent(&event) != 0);
    }
    return answer;
}

int answerWithoutDisplay(const std::string& text, const std::string& caption, UINT style)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return (style & 0x0F) == MB_YESNO ? IDNO : IDOK;
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    const MessageBoxRecord record{owner, text != nullptr ? text : "",
                                  caption != nullptr ? caption : "Error", style};
    probes::recordMessageBox(record);

    if (probes::messageBoxesAnswered()) {
        translatePendingSdlEvents();
        dispatchWaitingMessages();
        const int answer = probes::answerMessageBox(record);
        translatePendingSdlEvents();
        dispatchWaitingMessages();
        return answer;
    }

    // Once the session has asked the game to end, nobody is there to answer.
    if (!platformVideoReady() || quitSignalArrived())
        return answerWithoutDisplay(record.text, record.caption, style);

    SDL_Window* glWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext glContext = SDL_GL_GetCurrentContext();
    const HWND focusBefore = platformRecords.focus;
    // A full-screen game window would minimise itself when the box takes
    // the focus, and stay minimised after it; and a box needs a pointer even
    // during a race.
    const char* minimiseHint = SDL_GetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS);
    const std::string minimiseBefore = minimiseHint != nullptr ? minimiseHint : "";
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    const int cursorBefore = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);

    BoxFont font;
    openFont(font);  // without a font the box still has its buttons and keys
    BoxWindow box;
    int answer = 0;
    if (openBox(box, font, record.text, record.caption, style))
        answer = runBox(box, font);
    else
        answer = answerWithoutDisplay(record.text, record.caption, style);
    closeBox(box);
    closeFont(font);
    SDL_ShowCursor(cursorBefore);
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS,
                minimiseHint != nullptr ? minimiseBefore.c_str() : nullptr);

    // The game goes on drawing where it was, with its context current.
    if (glContext != nullptr)
        SDL_GL_MakeCurrent(glWindow, glContext);
    if (WindowRecord* window = findWindow(focusBefore)) {
        if ((SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN) != 0) {
            SDL_RaiseWindow(window->sdlWindow);
            SDL_SetWindowInputFocus(window->sdlWindow);
        }
        platformRecords.focus = focusBefore;
    }
    return answer;
}
