// libjpeg decoding with its error exit turned into a return value, so that a damaged image
// gives a null image instead of ending the program.
#include "app/JpegImage.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace kivo {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
    // `base` is the first member, so libjpeg's pointer is the ErrorManager's.
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr /*info*/) {}

// Between setjmp and longjmp only plain data lives in this frame; `image` belongs to the
// caller and is only ever assigned whole, so the jump skips no destructor.
bool Decode(const unsigned char* bytes, unsigned long size, QImage& image) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.output_message = OnMessage;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    while (!image.isNull() && info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    if (!image.isNull()) jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !image.isNull();
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data) {
    if (data.isEmpty()) return {};
    QImage image;
    if (!Decode(reinterpret_cast<const unsigned char*>(data.constData()),
                static_cast<unsigned long>(data.size()), image)) {
        return {};
    }
    return image;
}

}  // namespace kivo
