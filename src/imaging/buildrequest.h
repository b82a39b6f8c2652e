#pragma once

#include <QString>

// What one build is asked to do, whichever face asks.
struct BuildRequest
{
    QString sourceDirectory;
    QString outputFile;
    QString volumeId;
    bool split = false;     // 1 GB chunks, mkisofs's -split-output
    bool sizeCheck = false; // ask before a source larger than a single-layer DVD
};

// How far the engine got in taking a request: a face that shows the request
// (the main window's fields) shows what was taken so far, and no more.
enum class RequestStage
{
    Taken,           // as given
    PathsResolved,   // source resolved, output absolute
    VolumeIdDerived, // the label derived, not yet found valid
    Accepted,        // everything valid; the folder check runs on it
};
