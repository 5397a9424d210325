// SPDX-License-Identifier: MIT
#include "platform/GlBackend.h"

#include "platform/DrawingArea.h"
#include "platform/DriverPin.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

// Vertices arrive in drawing-area pixels with pixel centres on whole numbers; the half-pixel
// shift puts a whole-number vertex on the pixel's centre in OpenGL's convention. OpenGL counts
// rows upward, so an edge lying exactly on a row of pixel centres would fall to the other side
// than the game expects (top edges in, bottom edges out); a sliver of a pixel upward settles it.
// View is the drawing area's size and, third, -1 to draw a picture upside down: the kept picture
// is stored top row first, as the driver stores a window, so both are rasterised alike to the
// last rounding.
constexpr const char* VertexSource = R"(#version 330 core
layout(location = 0) in vec2 Position;
layout(location = 1) in vec4 Color;
layout(location = 2) in vec2 TexCoord;
uniform vec3 View;
out vec4 VertexColor;
out vec2 UV;
void main() {
    vec2 p = (Position + vec2(0.5, 0.5 - 1.0 / 64.0)) / View.xy;
    gl_Position = vec4(p.x * 2.0 - 1.0, (1.0 - p.y * 2.0) * View.z, 0.0, 1.0);
    VertexColor = Color;
    UV = TexCoord;
}
)";

// Mode: 0 texture x colour, 1 and 2 the same doubled and quadrupled, 3 a dot product of the
// texture with a constant, 4 a multiply-add of texture and colour.
// Each combination of mode, texturing and alpha test is its own program with those three as
// constants (put before this text), so the compiled shader keeps only the work its batches
// need: a software rasteriser runs every branch of a shader for every pixel.
constexpr const char* FragmentSource = R"(
in vec4 VertexColor;
in vec2 UV;
uniform sampler2D Texture;
out vec4 FragColor;
void main() {
    vec4 t = Textured ? texture(Texture, UV) : vec4(1.0);
    vec4 c = t * VertexColor;
    if (Mode == 1) {
        c.rgb = min(c.rgb * 2.0, vec3(1.0));
    } else if (Mode == 2) {
        c.rgb = min(c.rgb * 4.0, vec3(1.0));
    } else if (Mode == 3) {
        vec3 k = vec3(1.0, 0.733, 1.0);
        float d = clamp(4.0 * dot(t.rgb - 0.5, k - 0.5), 0.0, 1.0);
        c = vec4(d, d, d, c.a);
    } else if (Mode == 4) {
        c.rgb = min(VertexColor.rgb + t.rgb * VertexColor.rgb, vec3(1.0));
    }
    if (AlphaTest && c.a < 1.0 / 255.0) {
        discard;
    }
    FragColor = c;
}
)";

constexpr std::array<GLenum, 11> BlendFactors{GL_ZERO,
                                              GL_ONE,
                                              GL_SRC_COLOR,
                                              GL_ONE_MINUS_SRC_COLOR,
                                              GL_SRC_ALPHA,
                                              GL_ONE_MINUS_SRC_ALPHA,
                                              GL_DST_ALPHA,
                                              GL_ONE_MINUS_DST_ALPHA,
                                              GL_DST_COLOR,
                                              GL_ONE_MINUS_DST_COLOR,
                                              GL_SRC_ALPHA_SATURATE};
constexpr std::array<GLenum, 5> BlendOps{GL_FUNC_ADD, GL_FUNC_REVERSE_SUBTRACT, GL_FUNC_SUBTRACT, GL_MIN,
                                         GL_MAX};

struct TSpecialEffect {
    uint32_t Code;
    GLenum Source;
    GLenum Dest;
    int Mode;
};
// Codes above the ordinary table: blending plus a texture stage the shader imitates.
// 0x7FFFFFF5 keeps the blending of the effect before it (Source 0 marks that).
constexpr std::array<TSpecialEffect, 7> SpecialEffects{{
    {0x7FFFFFF0u, GL_SRC_ALPHA, GL_ONE, 1},
    {0x7FFFFFF1u, GL_DST_COLOR, GL_ONE, 1},
    {0x7FFFFFF2u, GL_DST_COLOR, GL_ONE, 2},
    {0x7FFFFFF3u, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 1},
    {0x7FFFFFF4u, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 2},
    {0x7FFFFFF5u, 0, 0, 3},
    {0x7FFFFFF6u, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 4},
}};

[[nodiscard]] GLuint CompileShader(GLenum Kind, const char* Source) {
    const GLuint Shader = glCreateShader(Kind);
    glShaderSource(Shader, 1, &Source, nullptr);
    glCompileShader(Shader);
    GLint Ok = GL_FALSE;
    glGetShaderiv(Shader, GL_COMPILE_STATUS, &Ok);
    if (Ok != GL_TRUE) {
        glDeleteShader(Shader);
        return 0;
    }
    return Shader;
}

[[nodiscard]] GLuint LinkProgram(int Mode, bool Textured, bool AlphaTest) {
    const std::string Fragment = std::string("#version 330 core\nconst int Mode = ") + std::to_string(Mode) +
                                 ";\nconst bool Textured = " + (Textured ? "true" : "false") +
                                 ";\nconst bool AlphaTest = " + (AlphaTest ? "true" : "false") + ";\n" +
                                 FragmentSource;
    const GLuint Vs = CompileShader(GL_VERTEX_SHADER, VertexSource);
    const GLuint Fs = CompileShader(GL_FRAGMENT_SHADER, Fragment.c_str());
    GLuint Program = 0;
    if (Vs != 0 && Fs != 0) {
        Program = glCreateProgram();
        glAttachShader(Program, Vs);
        glAttachShader(Program, Fs);
        glLinkProgram(Program);
        GLint Ok = GL_FALSE;
        glGetProgramiv(Program, GL_LINK_STATUS, &Ok);
        if (Ok != GL_TRUE) {
            glDeleteProgram(Program);
            Program = 0;
        }
    }
    glDeleteShader(Vs);
    glDeleteShader(Fs);
    return Program;
}

[[nodiscard]] GLenum PrimitiveMode(TPrimitive Kind) {
    switch (Kind) {
    case TPrimitive::Points:
        return GL_POINTS;
    case TPrimitive::Lines:
        return GL_LINES;
    default:
        return GL_TRIANGLES;
    }
}

constexpr int MaxTextureSide = 8192;

// Effect codes: source factor one, destination zero (a plain copy); source alpha, one minus
// source alpha (ordinary alpha blending).
constexpr uint32_t OpaqueCopy = 0x001u;
constexpr uint32_t NormalBlend = 0x504u;

// The streaming buffers a frame's batches are written into one after another. They start
// small (a play frame writes a few hundred vertices) and grow when a frame fills them, up to what
// the canvas's largest cache can hand over in one batch.
constexpr GLsizeiptr FirstStreamVertexBytes = GLsizeiptr{8192} * sizeof(TVertex);
constexpr GLsizeiptr FirstStreamIndexBytes = GLsizeiptr{12288} * sizeof(uint16_t);
constexpr GLsizeiptr MaxStreamVertexBytes = GLsizeiptr{65536} * sizeof(TVertex) * 2;
constexpr GLsizeiptr MaxStreamIndexBytes = GLsizeiptr{65536} * sizeof(uint16_t) * 2;

// Doubles Capacity (up to Max) until it holds Need; Need is at most Max.
[[nodiscard]] GLsizeiptr GrownCapacity(GLsizeiptr Capacity, GLsizeiptr Need, GLsizeiptr Max) {
    while (Capacity < Need) {
        Capacity = std::min(Capacity * 2, Max);
    }
    return Capacity;
}

} // namespace

std::unique_ptr<TGlBackend> TGlBackend::Create(SDL_Window* Window, const TDisplaySettings& Settings) {
    if (Window == nullptr) {
        return nullptr;
    }
    SDL_GLContext Context = SDL_GL_CreateContext(Window);
    if (Context == nullptr) {
        return nullptr;
    }
    KeepGraphicsDriversLoaded();
    // The context is owned by the backend from here on, so every failure below frees it.
    std::unique_ptr<TGlBackend> Backend(new TGlBackend(Window, Context));
    if (epoxy_gl_version() < 33 || !Backend->CreateObjects() || !Backend->ApplySettings(Settings)) {
        return nullptr;
    }
    return Backend;
}

std::string TGlBackend::Problem(SDL_Window* Window) {
    std::string offered = "no OpenGL at all";
    bool enough = false;
    if (Window != nullptr) {
        // Whatever context the driver gives without asking for a version or profile.
        int major = 0, minor = 0, profile = 0;
        SDL_GL_GetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, &major);
        SDL_GL_GetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, &minor);
        SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
        if (SDL_GLContext probe = SDL_GL_CreateContext(Window)) {
            const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
            offered = version ? std::string("OpenGL ") + version : "an OpenGL of unknown version";
            enough = epoxy_gl_version() >= 33;
            SDL_GL_DeleteContext(probe);
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, profile);
    }
    if (enough) {
        return "OpenGL 3.3 core could not be set up (this system offers " + offered + ")";
    }
    return "OpenGL 3.3 core is needed; this system offers " + offered;
}

TGlBackend::TGlBackend(SDL_Window* Window, SDL_GLContext Context) : Window(Window), Context(Context) {}

TGlBackend::~TGlBackend() {
    SDL_GL_MakeCurrent(Window, Context);
    if (FrameFence != nullptr) {
        glDeleteSync(static_cast<GLsync>(FrameFence));
    }
    DeletePictureBuffer();
    for (const auto& Entry : Textures) {
        const GLuint Name = Entry.first;
        glDeleteTextures(1, &Name);
    }
    for (const TShaderVariant& Variant : Variants) {
        if (Variant.Program != 0) {
            glDeleteProgram(Variant.Program);
        }
    }
    for (TStream& Stream : Streams) {
        if (Stream.VertexArray != 0) {
            glDeleteBuffers(1, &Stream.VertexBuffer);
            glDeleteBuffers(1, &Stream.IndexBuffer);
            glDeleteVertexArrays(1, &Stream.VertexArray);
        }
    }
    if (Samplers[0] != 0) {
        glDeleteSamplers(2, Samplers);
    }
    SDL_GL_DeleteContext(Context);
}

bool TGlBackend::CreateObjects() {
    // The plain textured program is made at once: without it this OpenGL is of no use. The
    // others are made when a batch first needs them.
    if (!UseVariant(0, true, false)) {
        return false;
    }

    for (TStream& Stream : Streams) {
        if (!CreateStream(Stream)) {
            return false;
        }
    }

    // Texture coordinates are mirrored at the texture edges; one sampler per filter.
    glGenSamplers(2, Samplers);
    for (int i = 0; i < 2; ++i) {
        const GLint Filter = i == 0 ? GL_NEAREST : GL_LINEAR;
        glSamplerParameteri(Samplers[i], GL_TEXTURE_MIN_FILTER, Filter);
        glSamplerParameteri(Samplers[i], GL_TEXTURE_MAG_FILTER, Filter);
        glSamplerParameteri(Samplers[i], GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
        glSamplerParameteri(Samplers[i], GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    }
    glBindSampler(0, Samplers[0]);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DITHER);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return glGetError() == GL_NO_ERROR;
}

bool TGlBackend::CreateStream(TStream& Stream) {
    glGenVertexArrays(1, &Stream.VertexArray);
    glBindVertexArray(Stream.VertexArray);
    glGenBuffers(1, &Stream.VertexBuffer);
    glGenBuffers(1, &Stream.IndexBuffer);
    if (Stream.VertexArray == 0 || Stream.VertexBuffer == 0 || Stream.IndexBuffer == 0) {
        return false;
    }
    Stream.VertexBytes = FirstStreamVertexBytes;
    Stream.IndexBytes = FirstStreamIndexBytes;
    glBindBuffer(GL_ARRAY_BUFFER, Stream.VertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, Stream.VertexBytes, nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, Stream.IndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, Stream.IndexBytes, nullptr, GL_STREAM_DRAW);
    const auto Stride = static_cast<GLsizei>(sizeof(TVertex));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, Stride,
                          reinterpret_cast<const void*>(offsetof(TVertex, X)));
    // Colours are 0xAARRGGBB words: bytes B, G, R, A in memory, which GL_BGRA reads as is.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, Stride,
                          reinterpret_cast<const void*>(offsetof(TVertex, Color)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, Stride,
                          reinterpret_cast<const void*>(offsetof(TVertex, U)));
    return true;
}

bool TGlBackend::ApplySettings(const TDisplaySettings& Value) {
    const bool SizeAsked = Value.Width != Settings.Width || Value.Height != Settings.Height || !Applied;
    Settings = Value;
    Applied = true;
    const Uint32 FullScreen = Settings.Windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
    const Uint32 WasFullScreen = SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (WasFullScreen != FullScreen) {
        if (WasFullScreen == 0) {
            SDL_GetWindowSize(Window, &WindowedSize.X, &WindowedSize.Y);
        }
        if (SDL_SetWindowFullscreen(Window, FullScreen) != 0) {
            return false;
        }
        // Back in a window at the size it had, whatever the player had made of it.
        if (FullScreen == 0 && WindowedSize.X > 0 && WindowedSize.Y > 0) {
            SDL_SetWindowSize(Window, WindowedSize.X, WindowedSize.Y);
        }
    }
    // The window takes a size only when the game asks for a new one; otherwise it keeps the
    // size the player gave it.
    if (Settings.Windowed && SizeAsked) {
        SDL_SetWindowSize(Window, Settings.Width, Settings.Height);
    }
    SDL_GL_MakeCurrent(Window, Context);
    SDL_GL_SetSwapInterval(Settings.VSync ? 1 : 0);
    UpdateArea();
    return true;
}

void TGlBackend::UpdateArea() {
    int W = 0;
    int H = 0;
    SDL_GL_GetDrawableSize(Window, &W, &H);
    Drawable = {W, H};
    // In a window of any size and in full screen alike the logical shape is fitted in.
    Area = FitDrawingArea(Drawable, 800, 600);
    Clip = {0, 0, Area.Width(), Area.Height()};
    Limit = Clip;
    MakePictureBuffer();
    ApplyViewport();
}

void TGlBackend::MakePictureBuffer() {
    PictureKept = false;
    const TPoint Size{Area.Width(), Area.Height()};
    if (PictureBuffer == 0 || Size != PictureSize) {
        DeletePictureBuffer();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        // The picture is stored as the driver stores a window (blue, green, red, alpha bytes),
        // so blending rounds exactly as it does there. A window without alpha reads a
        // destination alpha of one: the picture's alpha is then cleared to one once and never
        // written.
        GLint AlphaBits = -1;
        for (const GLenum Buffer : {GL_BACK_LEFT, GL_FRONT_LEFT}) {
            if (AlphaBits < 0) {
                glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, Buffer, GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE,
                                                      &AlphaBits);
                AlphaBits = glGetError() == GL_NO_ERROR ? AlphaBits : -1;
            }
        }
        if (Size.X > 0 && Size.Y > 0 && AlphaBits >= 0) {
            glGenTextures(1, &PictureTexture);
            glBindTexture(GL_TEXTURE_2D, PictureTexture);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, Size.X, Size.Y, 0, GL_BGRA,
                         GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
            glGenFramebuffers(1, &PictureBuffer);
            glBindFramebuffer(GL_FRAMEBUFFER, PictureBuffer);
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, PictureTexture, 0);
            if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
                DeletePictureBuffer();
            } else {
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
                glDisable(GL_SCISSOR_TEST);
                glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
                glClear(GL_COLOR_BUFFER_BIT);
                glEnable(GL_SCISSOR_TEST);
            }
            PictureAlpha = AlphaBits > 0;
        }
        PictureSize = PictureBuffer != 0 ? Size : TPoint{};
    }
    BindTarget();
}

void TGlBackend::BindTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, Target());
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, Target() == 0 || PictureAlpha ? GL_TRUE : GL_FALSE);
    // Straight to the window, the frame goes to the drawing area inside it.
    Origin = Target() != 0 ? TPoint{0, 0} : TPoint{Area.Left, Drawable.Y - Area.Bottom};
}

void TGlBackend::KeepPicture(bool Keep) {
    const bool Value = Keep && PictureBuffer != 0;
    if (Value != Keeping) {
        Keeping = Value;
        PictureKept = false;
        BindTarget();
        ApplyViewport();
    }
}

void TGlBackend::DeletePictureBuffer() {
    if (PictureBuffer != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &PictureBuffer);
        PictureBuffer = 0;
    }
    if (PictureTexture != 0) {
        glDeleteTextures(1, &PictureTexture);
        PictureTexture = 0;
    }
    PictureKept = false;
}

void TGlBackend::CopyPictureToWindow() {
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, PictureBuffer);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // Unscissored, unscaled and of the same format, the copy is one of plain memory.
    glDisable(GL_SCISSOR_TEST);
    if (Area.Width() != Drawable.X || Area.Height() != Drawable.Y) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    const GLint X = Area.Left;
    const GLint Y = Drawable.Y - Area.Bottom;
    glBlitFramebuffer(0, 0, Area.Width(), Area.Height(), X, Y + Area.Height(), X + Area.Width(), Y,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glEnable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void TGlBackend::ApplyViewport() {
    glViewport(Origin.X, Origin.Y, Area.Width(), Area.Height());
    ViewSize = {std::max(Area.Width(), 1), std::max(Area.Height(), 1)};
    ApplyScissor();
}

void TGlBackend::ApplyScissor() {
    glEnable(GL_SCISSOR_TEST);
    Scissor(Clip.Intersect(Limit));
}

void TGlBackend::Scissor(const TRect& R) {
    // OpenGL counts rows from the bottom; the kept picture is stored upside down.
    const int32_t Row = Target() != 0 ? R.Top : Origin.Y + Area.Height() - R.Bottom;
    glScissor(Origin.X + R.Left, Row, std::max(R.Width(), 0), std::max(R.Height(), 0));
}

void TGlBackend::LimitDrawing(const TRect& Value) {
    Limit = Value.Intersect({0, 0, Area.Width(), Area.Height()});
    ApplyScissor();
}

bool TGlBackend::BeginScene() {
    if (SDL_GL_MakeCurrent(Window, Context) != 0) {
        return false;
    }
    EffectKnown = false;
    Presented = false;
    BindTarget();
    // A frame redrawn part by part begins a scene for each part: they share one stream.
    if (!StreamRenewed) {
        TakeNextStream();
        StreamRenewed = true;
    }
    return true;
}

void TGlBackend::TakeNextStream() {
    // Storage handed to the driver afresh every frame made it map new memory and fault its pages
    // in each time; taking turns with two streams writes into storage it already has, which the
    // frame before last has finished reading.
    CurrentStream = 1 - CurrentStream;
    VertexOffset = 0;
    IndexOffset = 0;
}

void TGlBackend::RenewStream(intptr_t VertexNeed, intptr_t IndexNeed) {
    TStream& Stream = Streams[CurrentStream];
    Stream.VertexBytes = GrownCapacity(Stream.VertexBytes, VertexNeed, MaxStreamVertexBytes);
    Stream.IndexBytes = GrownCapacity(Stream.IndexBytes, IndexNeed, MaxStreamIndexBytes);
    glBindVertexArray(Stream.VertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, Stream.VertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, Stream.VertexBytes, nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, Stream.IndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, Stream.IndexBytes, nullptr, GL_STREAM_DRAW);
    VertexOffset = 0;
    IndexOffset = 0;
}

void TGlBackend::Clear(uint32_t Color) {
    // The bars around the drawing area stay black (the copy of a kept picture to the window
    // blackens them); the area itself, as far as the limit lets, takes the colour.
    if (Target() == 0) {
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
    }
    Scissor(Limit);
    const auto Component = [Color](int Shift) {
        return static_cast<float>((Color >> Shift) & 0xFFu) / 255.0f;
    };
    glClearColor(Component(16), Component(8), Component(0), Component(24));
    glClear(GL_COLOR_BUFFER_BIT);
    ApplyScissor();
}

TPresentResult TGlBackend::Present() {
    if (Target() != 0) {
        CopyPictureToWindow();
    }
    SDL_GL_SwapWindow(Window);
    StreamRenewed = false;
    BindTarget();
    Presented = true;
    PictureKept = Target() != 0;
    WaitForPreviousFrame();
    // A drawable that changed size (a late full-screen switch) needs a new drawing area and
    // new scale factors: the device handles that exactly like a lost device.
    int W = 0;
    int H = 0;
    SDL_GL_GetDrawableSize(Window, &W, &H);
    return W == Drawable.X && H == Drawable.Y ? TPresentResult::Ok : TPresentResult::Lost;
}

void TGlBackend::WaitForPreviousFrame() {
    // A software rasteriser behind an offscreen surface never makes the swap wait, so without
    // this the driver queues frame after frame and its memory grows without bound. Waiting for
    // the frame before this one keeps at most two in flight, as a presented window does.
    constexpr GLuint64 OneSecond = 1000000000u;
    if (FrameFence != nullptr) {
        const auto Fence = static_cast<GLsync>(FrameFence);
        glClientWaitSync(Fence, GL_SYNC_FLUSH_COMMANDS_BIT, OneSecond);
        glDeleteSync(Fence);
    }
    FrameFence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

bool TGlBackend::Reset() {
    if (SDL_GL_MakeCurrent(Window, Context) != 0) {
        return false;
    }
    UpdateArea();
    EffectKnown = false;
    return true;
}

TTextureHandle TGlBackend::CreateTexture(int Width, int Height, bool MipMapping) {
    if (Width <= 0 || Height <= 0 || Width > MaxTextureSide || Height > MaxTextureSide) {
        return 0;
    }
    GLuint Name = 0;
    glGenTextures(1, &Name);
    glBindTexture(GL_TEXTURE_2D, Name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, Width, Height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, MipMapping ? 1000 : 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &Name);
        return 0;
    }
    Textures[Name] = {Width, Height, MipMapping};
    return Name;
}

bool TGlBackend::UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) {
    const auto Found = Textures.find(Texture);
    if (Found == Textures.end() || Pixels == nullptr || Width != Found->second.Width ||
        Height != Found->second.Height) {
        return false;
    }
    Found->second.Opaque = std::all_of(Pixels, Pixels + static_cast<ptrdiff_t>(Width) * Height,
                                       [](uint32_t Pixel) { return Pixel >= 0xFF000000u; });
    glBindTexture(GL_TEXTURE_2D, Texture);
    // 0xAARRGGBB words read as packed BGRA keep their meaning on any byte order.
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, Width, Height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, Pixels);
    if (Found->second.MipMapping) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    return glGetError() == GL_NO_ERROR;
}

void TGlBackend::DeleteTexture(TTextureHandle Texture) {
    if (Textures.erase(Texture) > 0) {
        const GLuint Name = Texture;
        glDeleteTextures(1, &Name);
    }
}

TTextureTotals TGlBackend::TextureTotals() const {
    return SumTextures(Textures);
}

void TGlBackend::SetClipRect(const TRect& DeviceRect) {
    Clip = DeviceRect;
    ApplyScissor();
}

void TGlBackend::SetFiltering(bool Value) {
    Linear = Value;
    glBindSampler(0, Samplers[Linear ? 1 : 0]);
}

void TGlBackend::SetAlphaTest(bool Enabled) {
    AlphaTest = Enabled;
}

bool TGlBackend::UseVariant(int ShaderMode, bool Textured, bool WithAlphaTest) {
    TShaderVariant& Variant =
        Variants[static_cast<size_t>((ShaderMode * 2 + (Textured ? 1 : 0)) * 2 + (WithAlphaTest ? 1 : 0))];
    if (Variant.Program == 0) {
        if (Variant.Failed) {
            return false;
        }
        Variant.Program = LinkProgram(ShaderMode, Textured, WithAlphaTest);
        if (Variant.Program == 0) {
            Variant.Failed = true;
            return false;
        }
        Variant.ViewSizeUniform = glGetUniformLocation(Variant.Program, "View");
        glUseProgram(Variant.Program);
        glUniform1i(glGetUniformLocation(Variant.Program, "Texture"), 0);
        CurrentProgram = Variant.Program;
    }
    if (CurrentProgram != Variant.Program) {
        glUseProgram(Variant.Program);
        CurrentProgram = Variant.Program;
    }
    const bool UpsideDown = Target() != 0;
    if (Variant.ViewSize.X != ViewSize.X || Variant.ViewSize.Y != ViewSize.Y || Variant.UpsideDown != UpsideDown) {
        glUniform3f(Variant.ViewSizeUniform, static_cast<float>(ViewSize.X), static_cast<float>(ViewSize.Y),
                    UpsideDown ? -1.0f : 1.0f);
        Variant.ViewSize = ViewSize;
        Variant.UpsideDown = UpsideDown;
    }
    return true;
}

void TGlBackend::ApplyEffect(uint32_t Effect) {
    if (EffectKnown && Effect == CurrentEffect) {
        return;
    }
    for (const TSpecialEffect& Special : SpecialEffects) {
        if (Special.Code == Effect) {
            if (Special.Source != 0) {
                glEnable(GL_BLEND);
                glBlendEquation(GL_FUNC_ADD);
                glBlendFunc(Special.Source, Special.Dest);
            }
            Mode = Special.Mode;
            CurrentEffect = Effect;
            EffectKnown = true;
            return;
        }
    }
    Mode = 0;
    const uint32_t Source = Effect & 0xFFu;
    const uint32_t Dest = (Effect >> 8) & 0xFFu;
    const uint32_t Op = (Effect >> 16) & 0xFFu;
    // One with zero and add is a plain copy: blending off, transparent texels included.
    if (Source == 1 && Dest == 0 && Op == 0) {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
        glBlendEquation(Op < BlendOps.size() ? BlendOps[Op] : GL_FUNC_ADD);
        glBlendFunc(Source < BlendFactors.size() ? BlendFactors[Source] : GL_ONE,
                    Dest < BlendFactors.size() ? BlendFactors[Dest] : GL_ZERO);
    }
    CurrentEffect = Effect;
    EffectKnown = true;
}

bool TGlBackend::CoversOpaquely(const TTextureInfo& Texture, uint32_t Effect, const TVertex* Vertices,
                                size_t VertexCount) {
    // Alpha blending of a fully opaque source gives the source itself, so a texture without a
    // transparent texel drawn at full alpha needs no blending: the large backgrounds then cost
    // the rasteriser no read of what lies under them.
    return Effect == NormalBlend && Texture.Opaque &&
           std::all_of(Vertices, Vertices + VertexCount,
                       [](const TVertex& V) { return V.Color >= 0xFF000000u; });
}

void TGlBackend::DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TVertex* Vertices,
                           size_t VertexCount, const uint16_t* Indices, size_t IndexCount) {
    if (Kind == TPrimitive::None || VertexCount == 0 || IndexCount == 0) {
        return;
    }
    const TStream& Stream = Streams[CurrentStream];
    glBindVertexArray(Stream.VertexArray);
    const auto Found = Texture != 0 ? Textures.find(Texture) : Textures.end();
    const bool Textured = Found != Textures.end();
    ApplyEffect(Textured && CoversOpaquely(Found->second, Effect, Vertices, VertexCount) ? OpaqueCopy
                                                                                         : Effect);
    if (!UseVariant(Mode, Textured, AlphaTest)) {
        return;
    }
    // An untextured batch leaves the bound texture alone: the shader does not sample it.
    if (Textured) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, Texture);
    }
    const auto VertexBytes = static_cast<GLsizeiptr>(VertexCount * sizeof(TVertex));
    const auto IndexBytes = static_cast<GLsizeiptr>(IndexCount * sizeof(uint16_t));
    if (VertexBytes > MaxStreamVertexBytes || IndexBytes > MaxStreamIndexBytes) {
        return;
    }
    if (VertexOffset + VertexBytes > Stream.VertexBytes || IndexOffset + IndexBytes > Stream.IndexBytes) {
        // The frame so far and this batch, so that the next frames with this stream fit.
        RenewStream(std::min(VertexOffset + VertexBytes, MaxStreamVertexBytes),
                    std::min(IndexOffset + IndexBytes, MaxStreamIndexBytes));
    }
    // Each batch goes after the one before in this frame's buffers; its indices count from its
    // own first vertex.
    glBindBuffer(GL_ARRAY_BUFFER, Stream.VertexBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, VertexOffset, VertexBytes, Vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, Stream.IndexBuffer);
    glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, IndexOffset, IndexBytes, Indices);
    glDrawElementsBaseVertex(PrimitiveMode(Kind), static_cast<GLsizei>(IndexCount), GL_UNSIGNED_SHORT,
                             reinterpret_cast<const void*>(static_cast<uintptr_t>(IndexOffset)),
                             static_cast<GLint>(VertexOffset / static_cast<GLsizeiptr>(sizeof(TVertex))));
    VertexOffset += VertexBytes;
    // Index data stays aligned to four bytes.
    IndexOffset += (IndexBytes + 3) / 4 * 4;
    ++DrawCalls_;
}

bool TGlBackend::ReadPixels(std::vector<uint32_t>& Pixels) {
    const int W = Area.Width();
    const int H = Area.Height();
    if (W <= 0 || H <= 0) {
        return false;
    }
    std::vector<uint32_t> Rows(static_cast<size_t>(W) * static_cast<size_t>(H));
    if (Target() != 0) {
        // The kept picture is both the one being drawn and the one on show.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, PictureBuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    } else {
        // Between frames the picture on show is the front buffer; surfaces without one
        // (offscreen) keep it in the back buffer.
        glReadBuffer(Presented ? GL_FRONT : GL_BACK);
        if (glGetError() != GL_NO_ERROR) {
            glReadBuffer(GL_BACK);
        }
    }
    glReadPixels(Origin.X, Origin.Y, W, H, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, Rows.data());
    if (glGetError() != GL_NO_ERROR) {
        return false;
    }
    // OpenGL hands the bottom row first: of a window, the picture's last; of the kept picture,
    // stored upside down, its first.
    const bool TopFirst = Target() != 0;
    Pixels.resize(Rows.size());
    for (int y = 0; y < H; ++y) {
        const auto* Source = Rows.data() + static_cast<size_t>(TopFirst ? y : H - 1 - y) * static_cast<size_t>(W);
        std::copy(Source, Source + W, Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(W));
    }
    return true;
}
