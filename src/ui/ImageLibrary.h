#pragma once

#include <QPixmap>
#include <QString>

namespace corvane {

class TImageList;

// The image library: a resource file beside the program (corvane-images.rcc) that holds the
// image lists ISEVERITYLIST, IFACILITYLIST (32 x 32), IBUTTONS (32 x 32) and SMIMAGES (24 x 24)
// as folders of numbered PNG pictures, and the window's pictures under PICTURES.
inline constexpr const char* kImageLibraryFile = "corvane-images.rcc";

// The library file name as found: a relative name is looked up beside the program.
QString imageLibraryPath(const QString& file);

// Replaces the images of list by the named resource of the library. Nothing happens when a
// name is empty, there is no list, or the library cannot be loaded (the list keeps its images).
// A library without the resource answers "Resource NAME not found" and leaves the list as it
// was; success answers an empty text.
QString LoadImageList(const QString& file, const QString& resource, TImageList* list);

// One picture of the library's PICTURES folder ("Header", "Logo", "Flag"); null when missing.
QPixmap LoadLibraryPicture(const QString& file, const QString& name);

}  // namespace corvane
