# Gives every staged file and folder the source's date before it is packed.
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @${CPACK_TOLMIRAK_DATE} {} +
    COMMAND_ERROR_IS_FATAL ANY)
