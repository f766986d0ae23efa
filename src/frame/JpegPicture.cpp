#include "JpegPicture.h"

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return;
// jumping back to Decode is the documented way out of a C library.
struct TErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf JumpBuffer;
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    auto* manager = reinterpret_cast<TErrorManager*>(info->err);
    std::longjmp(manager->JumpBuffer, 1);
}

// Warnings (level -1) flag corrupt data that libjpeg would otherwise paper
// over with grey: treat them as fatal so the picture stays empty.
void EmitMessage(j_common_ptr info, int level)
{
    if (level < 0) {
        ErrorExit(info);
    }
}

void OutputMessage(j_common_ptr) { }

struct TDecoded {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Rgb;
};

// Everything that changes after setjmp lives in the caller's frame
// (session, decoded), so it keeps its value across the jump.
struct TSession {
    jpeg_decompress_struct Info{};
    TErrorManager Errors{};
};

bool DecodeInto(const unsigned char* data, unsigned long size, TSession& session, TDecoded& decoded)
{
    jpeg_decompress_struct& info = session.Info;
    TErrorManager& errors = session.Errors;
    info.err = jpeg_std_error(&errors.Public);
    errors.Public.error_exit = ErrorExit;
    errors.Public.emit_message = EmitMessage;
    errors.Public.output_message = OutputMessage;

    if (setjmp(errors.JumpBuffer) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width == 0 || info.output_height == 0 || info.output_width > JpegPicture::MaxDimension
        || info.output_height > JpegPicture::MaxDimension || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) * 3;
    decoded.Width = static_cast<int>(info.output_width);
    decoded.Height = static_cast<int>(info.output_height);
    decoded.Rgb.assign(rowBytes * info.output_height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.Rgb.data() + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage JpegPicture::Decode(const QByteArray& data)
{
    if (data.isEmpty()) {
        return {};
    }
    TSession session;
    TDecoded decoded;
    if (!DecodeInto(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()),
            session, decoded)) {
        return {};
    }
    QImage image(decoded.Width, decoded.Height, QImage::Format_RGB888);
    const std::size_t rowBytes = static_cast<std::size_t>(decoded.Width) * 3;
    for (int y = 0; y < decoded.Height; ++y) {
        std::copy_n(decoded.Rgb.data() + rowBytes * static_cast<std::size_t>(y), rowBytes, image.scanLine(y));
    }
    return image;
}

QImage JpegPicture::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return Decode(file.readAll());
}

QString JpegPicture::RefreshPicturePath()
{
    return QStringLiteral(":/kelvara/refresh16.jpg");
}
