#include "tamarind/banner/FLAnimatedImage.h"

#include "tamarind/banner/GifLog.h"

// The frame cache: which frames to hold around the play position, queueing the missing ones on
// the private decoding queue, and trimming what is no longer wanted.

namespace tamarind {

unsigned long FLAnimatedImage::frameCacheSizeCurrent() const
{
    unsigned long size = m_frameCacheSizeOptimal;
    if (m_frameCacheSizeMax)
        size = std::min(size, m_frameCacheSizeMax);
    if (m_frameCacheSizeMaxInternal)
        size = std::min(size, m_frameCacheSizeMaxInternal);
    return size;
}

void FLAnimatedImage::setFrameCacheSizeMax(unsigned long size)
{
    if (size == m_frameCacheSizeMax)
        return;
    bool willShrink = size < frameCacheSizeCurrent();
    m_frameCacheSizeMax = size;
    if (willShrink)
        purgeFrameCacheIfNeeded();
}

void FLAnimatedImage::setFrameCacheSizeMaxInternal(unsigned long size)
{
    if (size == m_frameCacheSizeMaxInternal)
        return;
    bool willShrink = size < frameCacheSizeCurrent();
    m_frameCacheSizeMaxInternal = size;
    if (willShrink)
        purgeFrameCacheIfNeeded();
}

rt::Ref<NSIndexSet> FLAnimatedImage::frameIndexesToCache() const
{
    unsigned long size = frameCacheSizeCurrent();
    if (size == m_frameCount)
        return NSIndexSet::createMutable(*m_allFramesIndexSet);
    // The frames from the requested one onwards, wrapping round to the start of the animation.
    // A requested index past the end (only a client setting it directly can do that) holds
    // the frames from the start.
    unsigned long requested = m_requestedFrameIndex;
    unsigned long firstLength = requested < m_frameCount ? std::min(size, m_frameCount - requested) : 0;
    auto indexes = NSIndexSet::createMutable({ requested, firstLength });
    unsigned long secondLength = size - firstLength;
    if (secondLength)
        indexes->addRange({ 0, secondLength });
    if (indexes->count() != size)
        gifLog(
            FLLogLevelWarn, [] { return std::string("Number of frames to cache doesn't equal expected cache size."); });
    indexes->add(m_posterImageFrameIndex);
    return indexes;
}

rt::Object* FLAnimatedImage::imageLazilyCachedAtIndex(unsigned long index)
{
    if (index >= m_frameCount) {
        gifLog(FLLogLevelWarn, [&] {
            return formatString(
                "Skipping requested frame %lu beyond bounds (total frame count: %lu) for animated image: %s", index,
                m_frameCount, description().c_str());
        });
        return nullptr;
    }
    m_requestedFrameIndex = index;
    if (m_cachedFrameIndexes->count() < m_frameCount) {
        auto missing = frameIndexesToCache();
        missing->remove(*m_cachedFrameIndexes);
        missing->remove(*m_requestedFrameIndexes);
        missing->remove(m_posterImageFrameIndex);
        if (missing->count())
            addFrameIndexesToCache(*missing);
    }
    // Held across the purge, which may drop the frame from the cache.
    rt::Ref<rt::Object> frame = m_cachedFramesForIndexes->get(indexKey(index));
    purgeFrameCacheIfNeeded();
    return rt::autorelease(std::move(frame));
}

void FLAnimatedImage::addFrameIndexesToCache(const NSIndexSet& indexes)
{
    // Frames from the play position to the end come first, then those from the start, so that
    // the next frames to show are decoded first.
    unsigned long requested = std::min(m_requestedFrameIndex, m_frameCount);
    NSRange ahead { requested, m_frameCount - requested };
    NSRange behind { 0, requested };
    if (ahead.length + behind.length != m_frameCount)
        gifLog(FLLogLevelWarn, [] { return std::string("Two-part frame cache range doesn't equal full range."); });
    std::vector<unsigned long> order;
    order.reserve(indexes.count());
    auto collect = [&](unsigned long i) {
        order.push_back(i);
        return true;
    };
    indexes.forEachInRange(ahead, collect);
    indexes.forEachInRange(behind, collect);
    m_requestedFrameIndexes->add(indexes);

    if (!m_serialQueue)
        m_serialQueue = SerialQueue::create("com.corvane.tamarind.FLAnimatedImage.frameCache");
    // The queued work holds the image weakly: an image that goes away stops its decoding.
    m_serialQueue->async([weakSelf = rt::Weak<FLAnimatedImage>(this), order = std::move(order)] {
        for (unsigned long index : order) {
            rt::AutoreleasePool pool;
            rt::Ref<rt::Object> frame;
            if (auto self = weakSelf.load())
                frame = rt::send<rt::Object*>(self, SELECTOR("imageAtIndex:"), index);
            else
                return;
            if (!frame || !weakSelf.load())
                continue;
            dispatchAsyncMain([weakSelf, index, frame = std::move(frame)] {
                if (auto self = weakSelf.load()) {
                    self->m_cachedFramesForIndexes->set(indexKey(index), frame.get());
                    self->m_cachedFrameIndexes->add(index);
                    self->m_requestedFrameIndexes->remove(index);
                }
            });
        }
    });
}

rt::Ref<rt::Object> FLAnimatedImage::imageAtIndex(unsigned long index) const
{
    rt::Ref<rt::Object> frame;
    {
        // Only our reference keeps the undrawn frame, so that it goes as soon as the predrawn
        // one replaces it rather than when the caller's pool drains.
        rt::AutoreleasePool pool;
        frame = imageWithCGImage(m_imageSource->createImageAtIndex(index).get());
    }
    if (frame && m_predrawingEnabled)
        frame = predrawnImage(frame.get());
    return frame;
}

void FLAnimatedImage::purgeFrameCacheIfNeeded()
{
    if (m_cachedFrameIndexes->count() <= frameCacheSizeCurrent())
        return;
    auto purged = NSIndexSet::createMutable(*m_cachedFrameIndexes);
    purged->remove(*frameIndexesToCache());
    purged->forEach([&](unsigned long index) {
        m_cachedFrameIndexes->remove(index);
        m_cachedFramesForIndexes->set(indexKey(index), nullptr);
        return true;
    });
}

}
