#pragma once

#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Dispatch.h"
#include "host/foundation/Geometry.h"
#include "host/foundation/IndexSet.h"
#include "host/imageio/CGImageSource.h"
#include "host/runtime/Runtime.h"

namespace tamarind {

// An animated GIF as a frame model: frame count, each frame's delay, loop count, a poster image,
// and a bounded cache of decoded frames that a private serial queue fills ahead of the play
// position. How many frames are held follows from the animation's decoded size, shrinks when the
// system reports memory pressure and grows back in timed steps. Every operation is also a message
// of the class "FLAnimatedImage", the way clients reach it.
//
// Threads: everything here runs on the main thread except imageAtIndex() and predrawnImage(),
// which the decoding queue runs. The queue only reads what creation fixed (the image source and
// the predrawing flag) and hands every frame back through the main queue.
class FLAnimatedImage final : public rt::Object {
public:
    static rt::Class* classObject();

    FLAnimatedImage();
    ~FLAnimatedImage() override;

    // The designated initializer's steps. Returns false, having logged why, when the data is no
    // usable GIF; the caller then answers nil.
    bool initialize(NSData*, unsigned long optimalFrameCacheSize, bool predrawingEnabled);

    rt::Object* imageLazilyCachedAtIndex(unsigned long index);
    unsigned long frameCacheSizeCurrent() const;
    void setFrameCacheSizeMax(unsigned long);
    void setFrameCacheSizeMaxInternal(unsigned long);
    rt::Ref<NSIndexSet> frameIndexesToCache() const;
    void addFrameIndexesToCache(const NSIndexSet&);
    void purgeFrameCacheIfNeeded();
    // Decoding queue: the frame at the index, predrawn when asked; null when it cannot be decoded.
    rt::Ref<rt::Object> imageAtIndex(unsigned long index) const;
    static rt::Ref<rt::Object> predrawnImage(rt::Object* image);

    void didReceiveMemoryWarning();
    void growFrameCacheSizeAfterMemoryWarning(rt::Object* number);
    void resetFrameCacheSizeMaxInternal();
    // Every live image, for the memory-warning observer; taken under the list's lock.
    static std::vector<rt::Ref<FLAnimatedImage>> liveImages();
    static void registerMemoryWarningObserver();

    std::string description() const;

    // What the class's properties answer.
    NSData* data() const { return m_data.get(); }
    bool isPredrawingEnabled() const { return m_predrawingEnabled; }
    unsigned long frameCacheSizeOptimal() const { return m_frameCacheSizeOptimal; }
    unsigned long frameCacheSizeMax() const { return m_frameCacheSizeMax; }
    unsigned long frameCacheSizeMaxInternal() const { return m_frameCacheSizeMaxInternal; }
    unsigned long requestedFrameIndex() const { return m_requestedFrameIndex; }
    void setRequestedFrameIndex(unsigned long index) { m_requestedFrameIndex = index; }
    unsigned long posterImageFrameIndex() const { return m_posterImageFrameIndex; }
    NSDictionary* cachedFramesForIndexes() const { return m_cachedFramesForIndexes.get(); }
    NSIndexSet* cachedFrameIndexes() const { return m_cachedFrameIndexes.get(); }
    NSIndexSet* requestedFrameIndexes() const { return m_requestedFrameIndexes.get(); }
    NSIndexSet* allFramesIndexSet() const { return m_allFramesIndexSet.get(); }
    unsigned long memoryWarningCount() const { return m_memoryWarningCount; }
    void setMemoryWarningCount(unsigned long count) { m_memoryWarningCount = count; }
    SerialQueue* serialQueue() const { return m_serialQueue.get(); }
    CGImageSource* imageSource() const { return m_imageSource.get(); }
    rt::Object* weakProxy() const { return m_weakProxy.get(); }
    rt::Object* posterImage() const { return m_posterImage.get(); }
    CGSize size() const { return m_size; }
    unsigned long loopCount() const { return m_loopCount; }
    void setLoopCount(unsigned long count) { m_loopCount = count; }
    NSDictionary* delayTimesForIndexes() const { return m_delayTimesForIndexes.get(); }
    unsigned long frameCount() const { return m_frameCount; }

private:
    // Creation's steps after the source is made, each ending creation with nil by returning false.
    bool readFrames(std::size_t& skippedCount);
    double delayForFrame(std::size_t index, rt::Object* frame, NSDictionary& delays) const;
    void chooseOptimalFrameCacheSize(unsigned long requested, std::size_t skippedCount);
    void storeFrame(unsigned long index, rt::Object* frame);
    void addToLiveImages();

    rt::Ref<NSData> m_data;
    bool m_predrawingEnabled { true };
    unsigned long m_frameCacheSizeOptimal { 0 };
    unsigned long m_frameCacheSizeMax { 0 };
    unsigned long m_frameCacheSizeMaxInternal { 0 };
    unsigned long m_requestedFrameIndex { 0 };
    unsigned long m_posterImageFrameIndex { 0 };
    rt::Ref<NSDictionary> m_cachedFramesForIndexes;
    rt::Ref<NSIndexSet> m_cachedFrameIndexes;
    rt::Ref<NSIndexSet> m_requestedFrameIndexes;
    rt::Ref<NSIndexSet> m_allFramesIndexSet;
    unsigned long m_memoryWarningCount { 0 };
    rt::Ref<SerialQueue> m_serialQueue;
    rt::Ref<CGImageSource> m_imageSource;
    rt::Ref<rt::Object> m_weakProxy;
    rt::Ref<rt::Object> m_posterImage;
    CGSize m_size;
    unsigned long m_loopCount { 0 };
    rt::Ref<NSDictionary> m_delayTimesForIndexes;
    unsigned long m_frameCount { 0 };
};

// +[UIImage imageWithCGImage:], autoreleased; null for a null image.
rt::Object* imageWithCGImage(CGImage*);
// The image's CGImage, or null.
CGImage* cgImageOf(rt::Object* image);
// A frame-index key of the frame and delay dictionaries.
rt::Object* indexKey(unsigned long index);

}
