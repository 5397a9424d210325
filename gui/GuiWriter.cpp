// SPDX-License-Identifier: MIT
#include "gui/GuiWriter.h"

#include "archive/Stream.h"

namespace {

void WriteChildList(TStream& Stream, const std::list<TGuiWriterControl>& Controls) {
    WriteInt32(Stream, static_cast<int32_t>(Controls.size()));
    for (const TGuiWriterControl& control : Controls) {
        control.WriteTo(Stream);
    }
}

void WriteEntry(TStream& Stream, const TGuiWriterControl::TEntry& Entry) {
    WriteString(Stream, Entry.Name);
    WriteByte(Stream, Entry.Kind);
    if (Entry.Kind == pkFill) {
        for (const uint32_t c : Entry.Fill.Colors) {
            WriteUInt32(Stream, c);
        }
        WriteByte(Stream, Entry.Fill.Shown ? 1 : 0);
    } else if (Entry.Kind == pkFont) {
        WriteInt32(Stream, Entry.Font.FontIndex);
        WriteUInt32(Stream, Entry.Font.Color);
        WriteUInt32(Stream, Entry.Font.Color2);
        WriteDouble(Stream, Entry.Font.Scale);
        WriteByte(Stream, Entry.Font.Style);
        WriteDouble(Stream, Entry.Font.Interleave);
    } else {
        WriteString(Stream, Entry.Text);
    }
}

} // namespace

TGuiWriterControl& TGuiWriterControl::Set(const std::string& Name, const std::string& Text, uint8_t Kind) {
    TEntry entry;
    entry.Name = Name;
    entry.Kind = Kind;
    entry.Text = Text;
    Properties.push_back(entry);
    return *this;
}

TGuiWriterControl& TGuiWriterControl::SetInt(const std::string& Name, int64_t Value, uint8_t Kind) {
    return Set(Name, std::to_string(Value), Kind);
}

TGuiWriterControl& TGuiWriterControl::SetBool(const std::string& Name, bool Value) {
    return Set(Name, Value ? "true" : "false", pkBoolean);
}

TGuiWriterControl& TGuiWriterControl::SetColor(const std::string& Name, uint32_t Value) {
    return Set(Name, std::to_string(Value), pkColor);
}

TGuiWriterControl& TGuiWriterControl::SetDrawFx(const std::string& Name, uint32_t Value) {
    return Set(Name, std::to_string(Value), pkDrawFx);
}

TGuiWriterControl& TGuiWriterControl::SetLines(const std::string& Name,
                                               const std::vector<std::string>& Lines) {
    std::string text;
    for (const std::string& line : Lines) {
        text += line + "\r\n";
    }
    return Set(Name, text, pkStrings);
}

TGuiWriterControl& TGuiWriterControl::SetFill(const std::string& Name, const TGuiFill& Fill) {
    TEntry entry;
    entry.Name = Name;
    entry.Kind = pkFill;
    entry.Fill = Fill;
    Properties.push_back(entry);
    return *this;
}

TGuiWriterControl& TGuiWriterControl::SetFont(const std::string& Name, const TGuiFont& Font) {
    TEntry entry;
    entry.Name = Name;
    entry.Kind = pkFont;
    entry.Font = Font;
    Properties.push_back(entry);
    return *this;
}

TGuiWriterControl& TGuiWriterControl::Add(const std::string& ClassName) {
    return Children.emplace_back(ClassName);
}

void TGuiWriterControl::WriteTo(TStream& Stream) const {
    WriteString(Stream, ClassName);
    WriteInt32(Stream, static_cast<int32_t>(Properties.size()));
    for (const TEntry& entry : Properties) {
        WriteEntry(Stream, entry);
    }
    WriteChildList(Stream, Children);
}

TGuiWriterControl& TGuiWriter::Add(const std::string& ClassName) {
    return Controls.emplace_back(ClassName);
}

std::vector<uint8_t> TGuiWriter::Bytes() const {
    TMemoryStream stream;
    WriteTo(stream);
    return stream.Bytes();
}

void TGuiWriter::WriteTo(TStream& Stream) const {
    WriteChildList(Stream, Controls);
}

bool TGuiWriter::SaveToFile(const std::string& FileName) const {
    const std::vector<uint8_t> bytes = Bytes();
    TFileStream file(FileName, TFileStream::TMode::Create);
    return file.IsOpen() && file.WriteExact(bytes.data(), bytes.size()) && file.Close();
}
