// The media types the program takes, as the open-file dialog offers them:
// pairs of description and pattern separated by "|", ending in "||". Every
// other list of media types (dropped folders, the installer's "Open with"
// registration, generated from this file at build time) is derived from
// this one string.
#pragma once

constexpr char MEDIA_FILE_FILTER[] =
    "All Files (*.*)|*.*|QuickTime (*.mov) | *.mov|MP4 (*.mp4) | *.mp4|3GP (*.3gp) | *.3gp|"
    "mpg (*.mpg) | *.mpg;*.mpeg|avi (*.avi) | *.avi|wmv (*.wmv)| *.wmv|asf (*.asf) | *.asf |"
    "JPEG (*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif||";
