select FHeadTable from ictransactiontype where fid=21
