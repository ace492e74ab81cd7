#include "tools/skin/SkinSource.h"

#include "skin/core/PlainObjects.h"
#include "tools/skin/SourceSyntax.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace skin {

namespace {

enum TokenKind { kWord, kString, kSymbol };

struct Token {
    TokenKind kind;
    std::string text;
};

struct Line {
    int number;
    std::vector<Token> tokens;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// A '#' followed by a blank or the end of the line starts a comment; any
// other '#' starts a colour.
bool StartsComment(const std::string& text, size_t at)
{
    return text[at] == '#' && (at + 1 == text.size() || IsBlank(text[at + 1]) || text[at + 1] == '\n');
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string ReadString(const std::string& text, size_t& at, int line)
{
    std::string value;
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\n')
            throw SourceError(line, "text not closed");
        if (text[at] != '\\') {
            value += text[at];
            continue;
        }
        ++at;
        if (at < text.size() && (text[at] == '"' || text[at] == '\\')) {
            value += text[at];
        } else if (at + 2 < text.size() && text[at] == 'x' && HexDigit(text[at + 1]) >= 0 &&
                   HexDigit(text[at + 2]) >= 0) {
            value += static_cast<char>(HexDigit(text[at + 1]) * 16 + HexDigit(text[at + 2]));
            at += 2;
        } else {
            throw SourceError(line, "unknown escape in a text");
        }
    }
    if (at >= text.size())
        throw SourceError(line, "text not closed");
    ++at;
    return value;
}

std::vector<Line> Tokenise(const std::string& text)
{
    std::vector<Line> lines;
    Line current{1, {}};
    size_t at = 0;
    auto endLine = [&]() {
        if (!current.tokens.empty())
            lines.push_back(current);
        current = Line{current.number + 1, {}};
    };
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\n') {
            endLine();
            ++at;
        } else if (IsBlank(c)) {
            ++at;
        } else if (StartsComment(text, at)) {
            while (at < text.size() && text[at] != '\n')
                ++at;
        } else if (c == '"') {
            current.tokens.push_back({kString, ReadString(text, at, current.number)});
        } else if (c == '{' || c == '}' || c == '=') {
            current.tokens.push_back({kSymbol, std::string(1, c)});
            ++at;
        } else {
            const size_t start = at;
            while (at < text.size() && !IsBlank(text[at]) && text[at] != '\n' && !std::strchr("{}=\"", text[at]))
                ++at;
            current.tokens.push_back({kWord, text.substr(start, at - start)});
        }
    }
    endLine();
    return lines;
}

// Walks the tokens of one line.
class Cursor {
public:
    explicit Cursor(const Line& line) : m_line(line) {}

    int LineNumber() const { return m_line.number; }
    bool AtEnd() const { return m_next >= m_line.tokens.size(); }
    [[noreturn]] void Fail(const std::string& message) const { throw SourceError(m_line.number, message); }

    const Token& Take(const char* what)
    {
        if (AtEnd())
            Fail(std::string("missing ") + what);
        return m_line.tokens[m_next++];
    }
    std::string Word(const char* what)
    {
        const Token& token = Take(what);
        if (token.kind != kWord)
            Fail(std::string("expected ") + what);
        return token.text;
    }
    std::string String(const char* what)
    {
        const Token& token = Take(what);
        if (token.kind != kString)
            Fail(std::string("expected ") + what + " in quotes");
        return token.text;
    }
    bool TakeIf(TokenKind kind, const char* text)
    {
        if (AtEnd() || m_line.tokens[m_next].kind != kind || m_line.tokens[m_next].text != text)
            return false;
        ++m_next;
        return true;
    }
    bool NextIs(TokenKind kind) const { return !AtEnd() && m_line.tokens[m_next].kind == kind; }
    // Whether the next token is a word that starts like a number.
    bool NextIsNumber() const
    {
        if (!NextIs(kWord))
            return false;
        const std::string& word = m_line.tokens[m_next].text;
        const size_t digit = word[0] == '-' || word[0] == '+' ? 1 : 0;
        return digit < word.size() && std::isdigit(static_cast<unsigned char>(word[digit]));
    }
    void Expect(TokenKind kind, const char* text)
    {
        if (!TakeIf(kind, text))
            Fail(std::string("expected '") + text + "'");
    }
    void ExpectEnd()
    {
        if (!AtEnd())
            Fail("unexpected '" + m_line.tokens[m_next].text + "'");
    }

    int64_t Integer(const char* what, int64_t lowest, int64_t highest)
    {
        const std::string word = Word(what);
        const bool negative = word[0] == '-';
        const char* digits = word.c_str() + (negative || word[0] == '+' ? 1 : 0);
        const int base = digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') ? 16 : 10;
        char* end = nullptr;
        errno = 0;
        const unsigned long long magnitude = std::strtoull(digits, &end, base);
        if (*digits == '\0' || *end != '\0' || errno != 0 || std::isspace(static_cast<unsigned char>(*digits)) ||
            *digits == '-' || magnitude > uint64_t(std::numeric_limits<int64_t>::max()))
            Fail(std::string("expected a number for ") + what + ", not '" + word + "'");
        const int64_t value = negative ? -int64_t(magnitude) : int64_t(magnitude);
        if (value < lowest || value > highest)
            Fail(std::string(what) + " out of range: " + word);
        return value;
    }
    int32_t Int32(const char* what)
    {
        return static_cast<int32_t>(Integer(what, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    }
    // `#RRGGBB`, or `#RRGGBBSS` with the spare top byte of the COLORREF;
    // the short form gives the spare byte `spare`.
    Colour ColourValue(const char* what, uint8_t spare)
    {
        const std::string word = Word(what);
        if ((word.size() != 7 && word.size() != 9) || word[0] != '#')
            Fail(std::string("expected a colour #RRGGBB or #RRGGBBSS for ") + what);
        uint8_t bytes[4] = {0, 0, 0, spare};
        for (size_t at = 1; at < word.size(); at += 2) {
            const int high = HexDigit(word[at]);
            const int low = HexDigit(word[at + 1]);
            if (high < 0 || low < 0)
                Fail("not a colour: " + word);
            bytes[at / 2] = static_cast<uint8_t>(high * 16 + low);
        }
        return MakeColour(bytes[0], bytes[1], bytes[2]) | Colour(bytes[3]) << 24;
    }
    SkinRect Rect(const char* what)
    {
        SkinRect rect;
        rect.left = Int32(what);
        rect.top = Int32(what);
        rect.right = Int32(what);
        rect.bottom = Int32(what);
        return rect;
    }

private:
    const Line& m_line;
    size_t m_next = 0;
};

template <size_t N>
void SetText(Cursor& cursor, char (&field)[N], const std::string& text, const char* what)
{
    if (text.size() >= N)
        cursor.Fail(std::string(what) + " longer than " + std::to_string(N - 1) + " characters");
    CopyText(field, N, text);
}

int32_t ParseSliceMode(Cursor& cursor)
{
    const std::string word = cursor.Word("draw mode");
    for (int32_t mode = kSliceCopy; mode <= kSliceStretch; ++mode) {
        if (word == SliceModeWord(mode))
            return mode;
    }
    char* end = nullptr;
    const long mode = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0')
        cursor.Fail("draw mode is copy, tile or stretch, not '" + word + "'");
    return static_cast<int32_t>(mode);
}

bool ParseFontOption(Cursor& cursor, const std::string& word, FontRecord& font)
{
    for (const FontByteOption& option : kFontByteOptions) {
        if (word == option.word) {
            const bool alone = option.isStyle && !cursor.NextIsNumber();
            font.*option.field = alone ? 1 : static_cast<uint8_t>(cursor.Integer(option.word, 0, 255));
            return true;
        }
    }
    for (const FontNumberOption& option : kFontNumberOptions) {
        if (word == option.word) {
            font.*option.field = cursor.Int32(option.word);
            return true;
        }
    }
    return false;
}

// The styles are off unless named; the other parts not named keep what the
// font had.
void ParseFont(Cursor& cursor, FontRecord& font)
{
    cursor.Expect(kWord, "font");
    SetText(cursor, font.faceName, cursor.String("font face"), "a font face");
    font.height = cursor.Int32("font height");
    font.weight = cursor.Int32("font weight");
    font.textColour = cursor.ColourValue("font colour", 0);
    for (const FontByteOption& option : kFontByteOptions) {
        if (option.isStyle)
            font.*option.field = 0;
    }
    while (!cursor.AtEnd()) {
        const std::string word = cursor.Word("font option");
        if (!ParseFontOption(cursor, word, font))
            cursor.Fail("unknown font option '" + word + "'");
    }
}

// A six-digit colour keeps the spare top byte the effect had.
void ParseEffect(Cursor& cursor, TextEffect& effect)
{
    cursor.Expect(kWord, "effect");
    effect.textColour = cursor.ColourValue("text colour", SpareByte(effect.textColour));
    while (!cursor.AtEnd()) {
        const std::string word = cursor.Word("effect option");
        if (word == "shadow") {
            effect.shadowColour = cursor.ColourValue("shadow colour", SpareByte(effect.shadowColour));
        } else if (word == "offset") {
            effect.shadowX = static_cast<int8_t>(cursor.Integer("shadow offset", -128, 127));
            effect.shadowY = static_cast<int8_t>(cursor.Integer("shadow offset", -128, 127));
        } else if (word == "flags") {
            effect.flags = static_cast<uint32_t>(cursor.Integer("effect flags", 0, 0xFFFFFFFFLL));
        } else {
            cursor.Fail("unknown effect option '" + word + "'");
        }
    }
}

// `none`, which leaves the piece empty and answers false, or the keyword,
// the image's name and the piece's rectangle in it.
template <typename ImagePiece>
bool ParseImagePiece(Cursor& cursor, const char* keyword, ImagePiece& piece)
{
    piece = {};
    if (cursor.TakeIf(kWord, "none"))
        return false;
    cursor.Expect(kWord, keyword);
    SetText(cursor, piece.imageName, cursor.String("image name"), "an image name");
    piece.source = cursor.Rect("source rectangle");
    return true;
}

void ParseSlice(Cursor& cursor, ImageSlice& slice)
{
    if (ParseImagePiece(cursor, "slice", slice))
        slice.mode = ParseSliceMode(cursor);
}

void ParseGrid(Cursor& cursor, NineGridImage& grid)
{
    if (!ParseImagePiece(cursor, "grid", grid))
        return;
    cursor.Expect(kWord, "margins");
    grid.marginLeft = cursor.Int32("margin");
    grid.marginTop = cursor.Int32("margin");
    grid.marginRight = cursor.Int32("margin");
    grid.marginBottom = cursor.Int32("margin");
    cursor.Expect(kWord, "fill");
    grid.fillMode = cursor.Int32("fill mode");
}

void ParseValue(Cursor& cursor, const SkinProperty& property)
{
    void* value = property.value;
    switch (property.kind) {
    case kFontProperty: ParseFont(cursor, *static_cast<FontRecord*>(value)); break;
    case kTextProperty: {
        char(&text)[kTextField] = *static_cast<char(*)[kTextField]>(value);
        SetText(cursor, text, cursor.String("text"), "a text");
        break;
    }
    case kColourProperty: *static_cast<Colour*>(value) = cursor.ColourValue("colour", 0); break;
    case kSliceProperty: ParseSlice(cursor, *static_cast<ImageSlice*>(value)); break;
    case kNineGridProperty: ParseGrid(cursor, *static_cast<NineGridImage*>(value)); break;
    case kNumberProperty: *static_cast<int32_t*>(value) = cursor.Int32("number"); break;
    case kControlIdProperty:
        *static_cast<uint32_t*>(value) =
            static_cast<uint32_t>(cursor.Integer("control identifier", std::numeric_limits<int32_t>::min(), 0xFFFFFFFFLL));
        break;
    case kTextEffectProperty: ParseEffect(cursor, *static_cast<TextEffect*>(value)); break;
    case kRectangleField: *static_cast<SkinRect*>(value) = cursor.Rect("rectangle"); break;
    }
    cursor.ExpectEnd();
}

class Compiler {
public:
    Compiler(const std::string& text, const ImageLoader& loadImage, Skin& skin)
        : m_lines(Tokenise(text)), m_loadImage(loadImage), m_skin(skin)
    {
    }

    void Run()
    {
        while (m_next < m_lines.size()) {
            Cursor cursor(m_lines[m_next++]);
            const std::string statement = cursor.Word("statement");
            if (statement == "skin")
                Version(cursor);
            else if (statement == "image")
                Image(cursor);
            else if (statement == "voice")
                Voice(cursor);
            else if (statement == "object")
                TopLevelObject(cursor);
            else
                cursor.Fail("unknown statement '" + statement + "'");
        }
    }

private:
    void Version(Cursor& cursor)
    {
        const std::string version = cursor.Word("version");
        cursor.ExpectEnd();
        const size_t point = version.find('.');
        char* end = nullptr;
        const long minor = point == std::string::npos ? -1 : std::strtol(version.c_str() + point + 1, &end, 10);
        if (version.compare(0, point, "1") != 0 || minor < 0 || minor > kNewestMinor || *end != '\0')
            cursor.Fail("versions 1.0 to 1.16 can be written, not " + version);
        m_skin.SetMinor(static_cast<uint8_t>(minor));
    }

    // `image "name" "path" [format N]`, then the entry's own values in a
    // block or nothing.
    void Image(Cursor& cursor)
    {
        auto image = std::make_unique<SkinImage>();
        SetName(cursor, *image, cursor.String("image name"));
        if (m_skin.Images().count(image->Name()))
            cursor.Fail("image \"" + image->Name() + "\" named twice");
        LoadImage(cursor, cursor.String("image path"), *image);
        OptionalBlock(cursor, *image);
        m_skin.AddImage(std::move(image));
    }

    // The path's extension gives the format unless `format N` names it.
    void LoadImage(Cursor& cursor, const std::string& path, SkinImage& image)
    {
        uint32_t format = FormatFromPath(path);
        if (cursor.TakeIf(kWord, "format"))
            format = static_cast<uint32_t>(cursor.Integer("format code", 0, 0xFFFFFFFFLL));
        try {
            image.SetEncoded(m_loadImage(path), format);
        } catch (const std::exception& error) {
            cursor.Fail(error.what());
        }
    }

    void Voice(Cursor& cursor)
    {
        auto voice = std::make_unique<SkinObject>(kTypeVoice);
        SetName(cursor, *voice, cursor.String("voice name"));
        if (m_skin.Voices().count(voice->Name()))
            cursor.Fail("voice \"" + voice->Name() + "\" named twice");
        OptionalBlock(cursor, *voice);
        m_skin.AddVoice(std::move(voice));
    }

    void TopLevelObject(Cursor& cursor)
    {
        SkinObjectPtr object = ObjectBlock(cursor);
        if (m_skin.Objects().count(object->Name()))
            cursor.Fail("object \"" + object->Name() + "\" named twice");
        if (!m_skin.AddObject(std::move(object)))
            cursor.Fail("a CaptionButton can only be the child of a frame");
    }

    // `object TYPE "name" {`, the object's lines, `}`; an Image may name its
    // file between its name and the block.
    SkinObjectPtr ObjectBlock(Cursor& cursor)
    {
        const std::string typeWord = cursor.Word("object type");
        int32_t typeId = TypeIdFromName(typeWord);
        if (typeId < 0 && !typeWord.empty() && std::isdigit(static_cast<unsigned char>(typeWord[0])))
            typeId = std::atoi(typeWord.c_str());
        SkinObjectPtr object = CreateSkinObject(typeId);
        if (!object)
            cursor.Fail("'" + typeWord + "' is not a type of object a skin file holds");
        SetName(cursor, *object, cursor.String("object name"));
        if (typeId == kTypeImage && cursor.NextIs(kString))
            LoadImage(cursor, cursor.String("image path"), static_cast<SkinImage&>(*object));
        cursor.Expect(kSymbol, "{");
        Block(cursor, *object);
        return object;
    }

    // The end of the line, or a block of values opened on it.
    void OptionalBlock(Cursor& cursor, SkinObject& object)
    {
        if (cursor.TakeIf(kSymbol, "{"))
            Block(cursor, object);
        else
            cursor.ExpectEnd();
    }

    // What follows an opening `{`: `}` on the same line, or the object's
    // lines up to a `}` of its own.
    void Block(Cursor& cursor, SkinObject& object)
    {
        if (cursor.TakeIf(kSymbol, "}")) {
            cursor.ExpectEnd();
            return;
        }
        cursor.ExpectEnd();
        const int opened = cursor.LineNumber();
        while (m_next < m_lines.size()) {
            Cursor inner(m_lines[m_next++]);
            if (inner.TakeIf(kSymbol, "}")) {
                inner.ExpectEnd();
                return;
            }
            if (inner.TakeIf(kWord, "object"))
                Child(inner, object);
            else
                Assignment(inner, object);
        }
        throw SourceError(opened, TypeIdName(object) + " \"" + object.Name() + "\" not closed with '}'");
    }

    void Child(Cursor& cursor, SkinObject& parent)
    {
        SkinObjectPtr child = ObjectBlock(cursor);
        const std::string name = child->Name();
        if (!SkinObject::CanBeChild(child->TypeId()))
            cursor.Fail(std::string(TypeName(child->TypeId())) + " objects cannot be children");
        if (!parent.AddChild(std::move(child)))
            cursor.Fail("child \"" + name + "\" named twice");
    }

    void Assignment(Cursor& cursor, SkinObject& object)
    {
        const std::string key = cursor.Word("property key");
        const SkinProperty* property = key[0] == '@' ? object.FindField(key) : object.FindProperty(key);
        if (!property || key == "NAME")
            cursor.Fail(std::string(TypeIdName(object)) + " has no value '" + key + "'");
        cursor.Expect(kSymbol, "=");
        ParseValue(cursor, *property);
    }

    static std::string TypeIdName(const SkinObject& object)
    {
        const char* name = TypeName(object.TypeId());
        return name ? name : "type " + std::to_string(object.TypeId());
    }

    static void SetName(Cursor& cursor, SkinObject& object, const std::string& name)
    {
        if (name.size() > kNameChars)
            cursor.Fail("name \"" + name + "\" longer than 50 characters");
        object.SetName(name);
    }

    std::vector<Line> m_lines;
    size_t m_next = 0;
    const ImageLoader& m_loadImage;
    Skin& m_skin;
};

}  // namespace

void CompileSkinSource(const std::string& text, const ImageLoader& loadImage, Skin& skin)
{
    Compiler(text, loadImage, skin).Run();
}

}  // namespace skin
