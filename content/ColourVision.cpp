// SPDX-License-Identifier: MIT
#include "content/ColourVision.h"

#include <algorithm>
#include <cmath>

namespace {

using TMatrix = std::array<std::array<double, 3>, 3>;

// Full-severity simulation matrices on linear RGB.
constexpr TMatrix Deutan = {{{0.367322, 0.860646, -0.227968},
                             {0.280085, 0.672501, 0.047413},
                             {-0.011820, 0.042940, 0.968881}}};
constexpr TMatrix Protan = {{{0.152286, 1.052583, -0.204868},
                             {0.114503, 0.786281, 0.099216},
                             {-0.003882, -0.048116, 1.051998}}};
constexpr TMatrix Tritan = {{{1.255528, -0.076749, -0.178779},
                             {-0.078411, 0.930809, 0.147602},
                             {0.004733, 0.691367, 0.303900}}};

double ToLinear(uint32_t Byte) {
    const double c = Byte / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint32_t ToByte(double Linear) {
    const double c = std::clamp(Linear, 0.0, 1.0);
    const double s = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<uint32_t>(std::lround(s * 255.0));
}

std::array<double, 3> LinearRgb(uint32_t Pixel) {
    return {ToLinear((Pixel >> 16) & 0xFF), ToLinear((Pixel >> 8) & 0xFF), ToLinear(Pixel & 0xFF)};
}

uint32_t Pack(uint32_t Alpha, const std::array<double, 3>& Rgb) {
    return (Alpha << 24) | (ToByte(Rgb[0]) << 16) | (ToByte(Rgb[1]) << 8) | ToByte(Rgb[2]);
}

const TMatrix* MatrixOf(TVision Vision) {
    switch (Vision) {
    case TVision::Deuteranopia:
        return &Deutan;
    case TVision::Protanopia:
        return &Protan;
    case TVision::Tritanopia:
        return &Tritan;
    default:
        return nullptr;
    }
}

double LabF(double T) {
    constexpr double e = 216.0 / 24389.0;
    constexpr double k = 24389.0 / 27.0;
    return T > e ? std::cbrt(T) : (k * T + 16) / 116;
}

double Degrees(double Radians) { return Radians * 180.0 / M_PI; }
double Radians(double Degrees) { return Degrees * M_PI / 180.0; }

} // namespace

const char* VisionName(TVision Vision) {
    switch (Vision) {
    case TVision::Normal:
        return "normal";
    case TVision::Deuteranopia:
        return "deuteranopia";
    case TVision::Protanopia:
        return "protanopia";
    case TVision::Tritanopia:
        return "tritanopia";
    case TVision::Greyscale:
        return "greyscale";
    }
    return "";
}

uint32_t SeeAs(uint32_t Pixel, TVision Vision) {
    const uint32_t alpha = Pixel >> 24;
    const std::array<double, 3> rgb = LinearRgb(Pixel);
    if (Vision == TVision::Greyscale) {
        // Relative luminance, so a grey keeps the lightness the colour had.
        const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
        return Pack(alpha, {y, y, y});
    }
    const TMatrix* m = MatrixOf(Vision);
    if (m == nullptr) {
        return Pixel;
    }
    std::array<double, 3> out{};
    for (size_t i = 0; i < 3; ++i) {
        out[i] = (*m)[i][0] * rgb[0] + (*m)[i][1] * rgb[1] + (*m)[i][2] * rgb[2];
    }
    return Pack(alpha, out);
}

TPicture SeeAs(const TPicture& Picture, TVision Vision) {
    TPicture out = Picture;
    for (uint32_t& p : out.Pixels()) {
        p = SeeAs(p, Vision);
    }
    return out;
}

TLab ToLab(uint32_t Pixel) {
    const std::array<double, 3> c = LinearRgb(Pixel);
    // sRGB to XYZ, relative to the D65 white.
    const double x = (0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2]) / 0.95047;
    const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
    const double z = (0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2]) / 1.08883;
    const double fx = LabF(x);
    const double fy = LabF(y);
    const double fz = LabF(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double DeltaE2000(const TLab& X, const TLab& Y) {
    const double c1 = std::hypot(X.A, X.B);
    const double c2 = std::hypot(Y.A, Y.B);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * X.A;
    const double a2 = (1 + g) * Y.A;
    const double c1p = std::hypot(a1, X.B);
    const double c2p = std::hypot(a2, Y.B);
    const auto hue = [](double B, double A) {
        if (A == 0 && B == 0) {
            return 0.0;
        }
        const double h = Degrees(std::atan2(B, A));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(X.B, a1);
    const double h2 = hue(Y.B, a2);

    const double dL = Y.L - X.L;
    const double dC = c2p - c1p;
    double dh = 0;
    if (c1p * c2p != 0) {
        dh = h2 - h1;
        if (dh > 180) {
            dh -= 360;
        } else if (dh < -180) {
            dh += 360;
        }
    }
    const double dH = 2 * std::sqrt(c1p * c2p) * std::sin(Radians(dh / 2));

    const double lMean = (X.L + Y.L) / 2;
    const double cMean = (c1p + c2p) / 2;
    double hMean = h1 + h2;
    if (c1p * c2p != 0) {
        if (std::abs(h1 - h2) <= 180) {
            hMean /= 2;
        } else {
            hMean = h1 + h2 < 360 ? (hMean + 360) / 2 : (hMean - 360) / 2;
        }
    }
    const double t = 1 - 0.17 * std::cos(Radians(hMean - 30)) + 0.24 * std::cos(Radians(2 * hMean)) +
                     0.32 * std::cos(Radians(3 * hMean + 6)) - 0.20 * std::cos(Radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cMeanP7 = std::pow(cMean, 7);
    const double rc = 2 * std::sqrt(cMeanP7 / (cMeanP7 + std::pow(25.0, 7)));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * cMean;
    const double sh = 1 + 0.015 * cMean * t;
    const double rt = -std::sin(Radians(2 * dTheta)) * rc;
    const double l = dL / sl;
    const double c = dC / sc;
    const double h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}
