# Copies the device folder SOURCE to COPY, afresh, with BANNER as its banner picture, and empties
# the folder OUT of the commands' pictures.
file(REMOVE_RECURSE ${COPY} ${OUT})
file(COPY ${SOURCE}/ DESTINATION ${COPY})
file(MAKE_DIRECTORY ${COPY}/var/mobile/Library)
file(COPY_FILE ${BANNER} ${COPY}/var/mobile/Library/Banner.gif)
file(MAKE_DIRECTORY ${OUT})
