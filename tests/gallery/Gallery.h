// The gallery's registry: each page builds one control family in its states; the program writes one
// PNG per page. Other files add pages with a static GalleryPage object. UI thread.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

namespace gallery
{

using Builder = std::function<std::unique_ptr<QWidget>()>;
// Runs after the page is shown (focus, hover and press states need a shown window).
using AfterShow = std::function<void(QWidget* page)>;

void RegisterGalleryPage(const QString& name, Builder builder, AfterShow afterShow = {});

struct GalleryPage {
    GalleryPage(const QString& name, Builder builder, AfterShow afterShow = {})
    {
        RegisterGalleryPage(name, std::move(builder), std::move(afterShow));
    }
};

// Small helpers for pages: a page of that size filled dark grey, a caption above a control,
// synthetic input.
std::unique_ptr<QWidget> FilledDarkPage(int w, int h);
void Caption(QWidget* page, int x, int y, const QString& text);
void Hover(QWidget* w, int x, int y);
void PressAt(QWidget* w, int x, int y);

} // namespace gallery
